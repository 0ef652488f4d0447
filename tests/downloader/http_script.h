#pragma once
// Pieces of scripted HTTP servers.

#include <cstdint>
#include <string>

#include "tests/downloader/scripted_server.h"

namespace zelvor::test {

// The offset of the request's "RANGE: bytes=N-" header; -1 without one.
std::int64_t requestedOffset(const std::string& head);

// Serves body honouring the range with 206 (ranges) or ignoring it with
// 200 and no range headers; cuts the body after dropAfter bytes of the file.
void serveFile(ScriptedConnection& c, const std::string& body, bool ranges,
               std::size_t dropAfter = std::string::npos);

}  // namespace zelvor::test
