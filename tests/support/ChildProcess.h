#pragma once

#include <functional>
#include <string>

// Runs `work` in a forked child, which may limit, unshare or measure itself freely, and returns
// the text it reported. The child leaves by _exit, so nothing of the parent's test runner or
// leak checker runs twice. When the child could not run or did not end normally, the text says
// so instead.
std::string runInChild(const std::function<std::string()> &work);
