#pragma once

#include "catalog/FileStamp.h"
#include "catalog/Message.h"

#include <sys/stat.h>

// The stamp of a file as stat() describes it.
FileStamp stampFrom(const struct stat &status);

// Why a file of this kind (a stat mode) is not one to read or write as a catalog: "it is a named
// pipe, not a file" and the like.
MessageArgument notAFile(unsigned mode);
