#pragma once

#include "catalog/FileStamp.h"

#include <string>

#include <windows.h>

// The system's words for an error code, in UTF-8, without the closing period and line end.
std::string errorText(DWORD error);

// The stamp of a file as GetFileInformationByHandle describes it.
FileStamp stampFrom(const BY_HANDLE_FILE_INFORMATION &info);

// The stamp of an open handle; nothing when the system cannot tell.
bool stampOfHandle(HANDLE handle, FileStamp &stamp);
