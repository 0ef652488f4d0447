#pragma once
// The texts the download engine reports, filled with their arguments.

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvor::download_text {

[[nodiscard]] std::string invalidUrl(std::string_view url);
[[nodiscard]] std::string serverNotFound(std::string_view server);
[[nodiscard]] std::string fileNotFound(std::string_view url);
[[nodiscard]] std::string serverError(std::string_view url, std::string_view serverText);
[[nodiscard]] std::string readError(std::string_view url);
[[nodiscard]] std::string ftpConnectError(std::string_view server, unsigned port);
[[nodiscard]] std::string ftpDownloadError(std::string_view url);
[[nodiscard]] std::string accessDenied();
[[nodiscard]] std::string noDataPort();
[[nodiscard]] std::string dataConnectError(unsigned port);

// Texts for the faults the engine bounds or detects itself.
[[nodiscard]] std::string lineTooLong(std::string_view server);
[[nodiscard]] std::string tooManyHeaders(std::string_view server);
[[nodiscard]] std::string tooManyRedirects(std::string_view url);
[[nodiscard]] std::string invalidReply(std::string_view server, std::string_view line);
[[nodiscard]] std::string closedWithoutReply(std::string_view server);
[[nodiscard]] std::string timedOut(std::string_view server, int seconds);
[[nodiscard]] std::string cancelled();
[[nodiscard]] std::string wrongRange(std::string_view url);
[[nodiscard]] std::string fileChanged(std::string_view url);
[[nodiscard]] std::string incomplete(std::string_view url, std::int64_t have, std::int64_t total);

}  // namespace zelvor::download_text
