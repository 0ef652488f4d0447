// The HTTP side of the engine against scripted servers that each fail in
// one way.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>

#include "downloader/file_download.h"
#include "downloader/reply_limits.h"
#include "platform/posix/posix_network.h"
#include "tests/downloader/download_fixture.h"
#include "tests/downloader/http_script.h"

namespace zelvor::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string kBody = patternBytes(300000, 7);

TEST_F(DownloadTest, SendsTheRequestLinesInOrder) {
  ScriptedServer server([](ScriptedConnection& c, int) { serveFile(c, "abc", false); });
  writeFile(partial, "xy");
  ASSERT_EQ(run(server.url("http", "/dir/a%20b.zip")).result, DownloadResult::Complete);
  ASSERT_EQ(server.requests().size(), 1u);
  EXPECT_EQ(server.requests()[0],
            "GET /dir/a%20b.zip HTTP/1.1\nHOST: 127.0.0.1:" + std::to_string(server.port()) +
                "\nACCEPT: */*\nUser-Agent: Mozilla/4.0 (compatible; MSIE 4.01; Windows 98)\n"
                "RANGE: bytes=2-\nPragma: no-cache\nCache-Control: no-cache\nConnection: close\n");
}

TEST_F(DownloadTest, ServerIgnoringRangeRewritesThePartialFile) {
  ScriptedServer server([](ScriptedConnection& c, int) { serveFile(c, kBody, false); });
  writeFile(partial, std::string(5000, 'x'));
  const auto outcome = run(server.url("http", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(requestedOffset(server.requests().at(0)), 5000);
  EXPECT_EQ(readFile(partial), kBody);
  const auto notices = monitor.notices();
  ASSERT_GE(notices.size(), 2u);
  EXPECT_EQ(notices[0], (Notice{download_notice::Started, 0, static_cast<std::int64_t>(kBody.size())}));
  EXPECT_EQ(notices[1], (Notice{download_notice::Resume, 0, 0}));
  EXPECT_EQ(monitor.kinds().back(), download_notice::Finished);
  EXPECT_EQ(notices.back(), (Notice{download_notice::Finished, 0, 0}));
  EXPECT_EQ(reportedBytes(), static_cast<std::int64_t>(kBody.size()));
}

// A server that names Accept-Ranges but answers a range with 200 sends the
// whole file: appending it to the partial file would corrupt it.
TEST_F(DownloadTest, WholeFileAnswerToARangeStartsAfresh) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 200 OK\r\nAccept-Ranges: bytes\r\nContent-Length: " + std::to_string(kBody.size()) +
           "\r\n\r\n" + kBody);
  });
  writeFile(partial, kBody.substr(0, 1000));
  ASSERT_EQ(run(server.url("http", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), kBody);
}

TEST_F(DownloadTest, DroppedConnectionResumesAtThePosition) {
  ScriptedServer server([](ScriptedConnection& c, int index) {
    serveFile(c, kBody, true, index == 0 ? 120000 : std::string::npos);
  });
  const auto outcome = run(server.url("http", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kBody);
  ASSERT_EQ(server.requests().size(), 2u);
  EXPECT_EQ(requestedOffset(server.requests()[1]), 120000);
}

TEST_F(DownloadTest, ResumesFromAnExistingPartialFile) {
  ScriptedServer server([](ScriptedConnection& c, int) { serveFile(c, kBody, true); });
  writeFile(partial, kBody.substr(0, 77777));
  ASSERT_EQ(run(server.url("http", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), kBody);
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 77777, static_cast<std::int64_t>(kBody.size())}));
  EXPECT_EQ(monitor.notices().at(1), (Notice{download_notice::Resume, 1, 0}));
}

// A drop at 99.5 % is not a complete file: the partial file stays, short,
// ready to be resumed.
TEST_F(DownloadTest, DropNearTheEndIsNotCountedComplete) {
  const std::size_t cut = kBody.size() * 995 / 1000;
  ScriptedServer server([cut](ScriptedConnection& c, int index) {
    if (index == 0) {
      serveFile(c, kBody, true, cut);
    } else {
      c.readHead();
      c.send("HTTP/1.1 206 Partial Content\r\nContent-Range: bytes " + std::to_string(cut) + "-" +
             std::to_string(kBody.size() - 1) + "/" + std::to_string(kBody.size()) + "\r\n\r\n");
    }
  });
  const auto outcome = run(server.url("http", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "Error al leer el archivo: " + server.url("http", "/f") + "\n\nSe han recibido " +
                                std::to_string(cut) + " de " + std::to_string(kBody.size()) +
                                " bytes; la descarga puede continuar más tarde.");
  EXPECT_EQ(readFile(partial), kBody.substr(0, cut));
  EXPECT_EQ(monitor.notices().back(), (Notice{download_notice::Finished, 1, 0}));
  ASSERT_EQ(monitor.errors().size(), 1u);
  EXPECT_EQ(reportedBytes(), static_cast<std::int64_t>(cut));
}

TEST_F(DownloadTest, PartialFileAlreadyWholeCompletes) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 416 Range Not Satisfiable\r\nContent-Range: bytes */" + std::to_string(kBody.size()) +
           "\r\nContent-Length: 0\r\n\r\n");
  });
  writeFile(partial, kBody);
  ASSERT_EQ(run(server.url("http", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), kBody);
}

TEST_F(DownloadTest, StalledServerTimesOut) {
  setDeadlines(5, 1);
  ScriptedServer server([](ScriptedConnection& c, int index) {
    if (index == 0) {
      c.readHead();
      c.send("HTTP/1.1 200 OK\r\nAccept-Ranges: bytes\r\nContent-Length: 100000\r\n\r\n" + kBody.substr(0, 3000));
    }
    c.waitClosed();
  });
  const auto outcome = run(server.url("http", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "Error al leer el archivo: " + server.url("http", "/f") +
                                "\n\nSe han recibido 3000 de 100000 bytes; la descarga puede continuar más tarde."
                                "\n\nSe ha agotado el tiempo de espera (1 s) del servidor '127.0.0.1'.");
  EXPECT_EQ(readFile(partial), kBody.substr(0, 3000));
}

TEST_F(DownloadTest, CancelWakesABlockedReceiveAtOnce) {
  setDeadlines(5, kMaxDeadlineSeconds);
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 200 OK\r\nAccept-Ranges: bytes\r\nContent-Length: 100000\r\n\r\n" + kBody.substr(0, 4000));
    c.waitClosed();
  });
  const auto cancel = sim.network.makeCancelSignal();
  DownloadOutcome outcome;
  std::thread worker([&] { outcome = run(server.url("http", "/f"), cancel.get()); });
  while (monitor.notices().size() < 2) std::this_thread::yield();
  // The data is on its way; once the worker blocks again, cancel it.
  while (server.connections() == 0) std::this_thread::yield();
  cancel->cancel();
  worker.join();
  EXPECT_EQ(outcome.result, DownloadResult::Cancelled);
  EXPECT_LE(fileSize(partial), 4000u);
  EXPECT_EQ(readFile(partial), kBody.substr(0, fileSize(partial)));
  for (const auto& n : monitor.notices()) EXPECT_NE(n.message, download_notice::Finished);
  EXPECT_TRUE(monitor.errors().empty());
}

struct BadHead {
  const char* name;
  std::string reply;
  std::string expected;  // {server} and {url} are filled in
  friend void PrintTo(const BadHead& row, std::ostream* out) { *out << row.name; }
};

class BadReplyTest : public DownloadTest, public ::testing::WithParamInterface<BadHead> {};

TEST_P(BadReplyTest, FailsWithItsMessage) {
  const BadHead& bad = GetParam();
  ScriptedServer server([&bad](ScriptedConnection& c, int) {
    c.readHead();
    c.send(bad.reply);
  });
  const std::string url = server.url("http", "/f");
  const auto outcome = run(url);
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, filled(bad.expected, "127.0.0.1", url));
  EXPECT_FALSE(fileExists(partial));
  ASSERT_EQ(monitor.errors().size(), 1u);
  EXPECT_EQ(monitor.errors()[0], outcome.url + "|" + outcome.message);
}

std::string manyHeaders() {
  std::string r = "HTTP/1.1 200 OK\r\n";
  for (int i = 0; i < 1000; ++i) r += "X-A: b\r\n";
  return r;
}

const std::string kInvalid = "El servidor '{server}' ha enviado una respuesta no válida: ";

INSTANTIATE_TEST_SUITE_P(
    Replies, BadReplyTest,
    ::testing::Values(
        BadHead{"NotFound", "HTTP/1.1 404 Not Found\r\n\r\n", "No se ha encontrado el archivo '{url}' en el servidor."},
        BadHead{"Moved301", "HTTP/1.1 301 Moved Permanently\r\nLocation: /x\r\n\r\n",
                "Error al obtener el archivo '{url}'.\n\nMensaje del servidor:  Moved Permanently"},
        BadHead{"ShortStatus", "HTTP/1.1\r\n\r\n", kInvalid + "'HTTP/1.1'"},
        BadHead{"NoReply", "", "El servidor '{server}' ha cerrado la conexión sin responder."},
        BadHead{"EndlessStatusLine", "HTTP/1.1 200 " + std::string(100000, 'a'),
                "El servidor '{server}' ha enviado una línea de respuesta demasiado larga."},
        BadHead{"EndlessHeaderLine", "HTTP/1.1 200 OK\r\nX-Long: " + std::string(100000, 'a'),
                "El servidor '{server}' ha enviado una línea de respuesta demasiado larga."},
        BadHead{"EndlessHeaders", manyHeaders(), "El servidor '{server}' ha enviado demasiadas cabeceras."},
        BadHead{"RedirectWithoutLocation", "HTTP/1.1 302 Found\r\n\r\n",
                "Error al obtener el archivo '{url}'.\n\nMensaje del servidor:  Found"},
        BadHead{"RedirectToAnotherScheme", "HTTP/1.1 302 Found\r\nLocation: https://h/x\r\n\r\n",
                "La URL 'https://h/x' no es válida."},
        // A length that cannot be read is no length: ten bytes and a close
        // must not pass for a whole file.
        BadHead{"LengthPastInt64", "HTTP/1.1 200 OK\r\nContent-Length: 9223372036854775808\r\n\r\n0123456789",
                kInvalid + "'Content-Length: 9223372036854775808'"},
        BadHead{"LengthNegative", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n0123456789",
                kInvalid + "'Content-Length: -1'"},
        BadHead{"LengthWithSign", "HTTP/1.1 200 OK\r\nContent-Length: +100\r\n\r\n0123456789",
                kInvalid + "'Content-Length: +100'"},
        BadHead{"LengthList", "HTTP/1.1 200 OK\r\nContent-Length: 100, 100\r\n\r\n0123456789",
                kInvalid + "'Content-Length: 100, 100'"},
        BadHead{"LengthEmpty", "HTTP/1.1 200 OK\r\nContent-Length:\r\n\r\n0123456789", kInvalid + "'Content-Length:'"},
        BadHead{"LengthsDisagree", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\ncontent-length: 12\r\n\r\n0123456789",
                kInvalid + "'content-length: 12'"},
        BadHead{"RangeUnreadable", "HTTP/1.1 206 Partial Content\r\nContent-Range: bytes 0-x/10\r\n\r\n0123456789",
                kInvalid + "'Content-Range: bytes 0-x/10'"}),
    [](const ::testing::TestParamInfo<BadHead>& row) { return std::string(row.param.name); });

TEST_F(DownloadTest, RedirectToAHostKeepsThePath) {
  ScriptedServer target([](ScriptedConnection& c, int) { serveFile(c, "moved", false); });
  const std::string hostOnly = "http://127.0.0.1:" + std::to_string(target.port());
  ScriptedServer first([&hostOnly](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 302 Found\r\nLocation: " + hostOnly + "\r\n\r\n");
  });
  const auto outcome = run(first.url("http", "/dir/a.zip"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), "moved");
  EXPECT_EQ(outcome.url, hostOnly + "/dir/a.zip");
  EXPECT_THAT(target.requests().at(0), StartsWith("GET /dir/a.zip HTTP/1.1\n"));
}

TEST_F(DownloadTest, RelativeRedirectsResolveAgainstTheOldAddress) {
  ScriptedServer server([](ScriptedConnection& c, int index) {
    if (index == 0) {
      c.readHead();
      c.send("HTTP/1.1 302 Found\r\nLocation: /other/b.zip\r\n\r\n");
    } else if (index == 1) {
      c.readHead();
      c.send("HTTP/1.1 302 Found\r\nLocation: c.zip\r\n\r\n");
    } else {
      serveFile(c, "third", false);
    }
  });
  ASSERT_EQ(run(server.url("http", "/dir/a.zip")).result, DownloadResult::Complete);
  ASSERT_EQ(server.requests().size(), 3u);
  EXPECT_THAT(server.requests()[1], StartsWith("GET /other/b.zip "));
  EXPECT_THAT(server.requests()[2], StartsWith("GET /other/c.zip "));
}

TEST_F(DownloadTest, EndlessRedirectsStop) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 302 Found\r\nLocation: /again\r\n\r\n");
  });
  const auto outcome = run(server.url("http", "/start"));
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "Demasiadas redirecciones al obtener el archivo '" + server.url("http", "/again") + "'.");
  EXPECT_EQ(server.connections(), kMaxRedirects);
}

TEST_F(DownloadTest, ChunkedBodyIsDecoded) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhello\r\n1;ext=1\r\n \r\n6\r\nworld!\r\n0\r\n\r\n");
  });
  ASSERT_EQ(run(server.url("http", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), "hello world!");
}

TEST_F(DownloadTest, BodyEndsAtTheAnnouncedLength) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 200 OK\r\nContent-Length:4\r\n\r\nabcdEXTRA");
    c.waitClosed();
  });
  setDeadlines(5, kMaxDeadlineSeconds);
  ASSERT_EQ(run(server.url("http", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), "abcd");
}

TEST_F(DownloadTest, WithoutLengthTheEndOfTheConnectionCompletes) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 200 OK\r\n\r\n" + kBody);
  });
  ASSERT_EQ(run(server.url("http", "/f")).result, DownloadResult::Complete);
  EXPECT_EQ(readFile(partial), kBody);
  EXPECT_EQ(monitor.notices().at(0), (Notice{download_notice::Started, 0, 0}));
}

TEST_F(DownloadTest, ServerOnIpv6Loopback) {
  ScriptedServer server([](ScriptedConnection& c, int) { serveFile(c, kBody, true); }, true);
  const auto outcome = run(server.url("http", "/f"));
  ASSERT_EQ(outcome.result, DownloadResult::Complete) << outcome.message;
  EXPECT_EQ(readFile(partial), kBody);
  EXPECT_THAT(server.requests().at(0), HasSubstr("HOST: [::1]:"));
}

TEST_F(DownloadTest, CredentialsGoAsBasicAuthentication) {
  ScriptedServer server([](ScriptedConnection& c, int) { serveFile(c, "x", false); });
  ASSERT_EQ(run(server.url("http", "/f"), nullptr, "ana", "se cret").result, DownloadResult::Complete);
  EXPECT_THAT(server.requests().at(0), HasSubstr("\nAuthorization: Basic YW5hOnNlIGNyZXQ=\n"));
  EXPECT_THAT(server.requests().at(0), StartsWith("GET /f HTTP/1.1\n"));
}

TEST_F(DownloadTest, ProxyGetsTheWholeAddress) {
  ScriptedServer proxy([](ScriptedConnection& c, int) { serveFile(c, "via proxy", false); });
  config.WriteConfigInt(utility_key::DivoZidezevuza, downloader_value::Proxy, 1);
  config.WriteConfigString(utility_key::DivoZidezevuza, downloader_value::ProxyAddress, "127.0.0.1");
  config.WriteConfigInt(utility_key::DivoZidezevuza, downloader_value::ProxyPort, proxy.port());
  ASSERT_EQ(run("ftp://user:pw@files.example:2121/pub/a%20b.zip").result, DownloadResult::Complete);
  EXPECT_THAT(proxy.requests().at(0), StartsWith("GET ftp://files.example:2121/pub/a%20b.zip HTTP/1.1\nHOST: files.example:2121\n"));
  EXPECT_EQ(readFile(partial), "via proxy");
}

TEST_F(DownloadTest, InvalidAddressFailsAtOnce) {
  const auto outcome = run("https://example.org/a.zip");
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "La URL 'https://example.org/a.zip' no es válida.");
  EXPECT_EQ(monitor.notices(), (std::vector<Notice>{{download_notice::Finished, 1, 0}}));
}

TEST_F(DownloadTest, UnknownServerFails) {
  const int port = freePort();
  const auto outcome = run("http://127.0.0.1:" + std::to_string(port) + "/f");
  ASSERT_EQ(outcome.result, DownloadResult::Failed);
  EXPECT_EQ(outcome.message, "No se ha encontrado el servidor: '127.0.0.1'");
}

TEST(FileDownloadTest, ReadDataLineSplitsLinesOfTheBody) {
  ScriptedServer server([](ScriptedConnection& c, int) {
    c.readHead();
    c.send("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\none\r\r\n3\r\n\ntw\r\n3\r\no\nt\r\n0\r\n\r\n");
  });
  PosixNetwork network;
  CFileDownload engine(network, DownloadDeadlines{2000, 2000}, nullptr, server.url("http", "/p"), "", 0, "", "");
  ASSERT_TRUE(engine.Open(0)) << engine.errorMessage();
  std::vector<std::string> lines;
  std::string line;
  while (engine.ReadDataLine(line)) lines.push_back(line);
  EXPECT_TRUE(engine.ok());
  EXPECT_EQ(lines, (std::vector<std::string>{"one", "two"}));  // "t" has no line feed
}

}  // namespace
}  // namespace zelvor::test
