// The replay tool's trace is bytes, the same on every platform. Windows opens the standard
// streams in text mode, which would write each newline as CR LF; this puts standard output in
// binary mode before main runs, without the tool's own code knowing about it.
#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace {

const int previousMode = _setmode(_fileno(stdout), _O_BINARY);

} // namespace
