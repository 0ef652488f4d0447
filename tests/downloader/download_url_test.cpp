// Address splitting, Location resolution and the small reply parsers.

#include <gtest/gtest.h>

#include "downloader/download_url.h"
#include "downloader/ftp_reply.h"
#include "downloader/http_reply.h"

namespace zelvor {
namespace {

struct SplitCase {
  const char* url;
  bool valid;
  bool ftp;
  const char* server;
  unsigned port;
  const char* object;
  const char* user;
  const char* password;
};

class SplitUrlTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitUrlTest, Splits) {
  const SplitCase& c = GetParam();
  const auto split = splitUrl(c.url);
  ASSERT_EQ(split.has_value(), c.valid) << c.url;
  if (!split) return;
  EXPECT_EQ(split->ftp, c.ftp);
  EXPECT_EQ(split->server, c.server);
  EXPECT_EQ(split->port, c.port);
  EXPECT_EQ(split->object, c.object);
  EXPECT_EQ(split->user, c.user);
  EXPECT_EQ(split->password, c.password);
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, SplitUrlTest,
    ::testing::Values(
        SplitCase{"http://host/dir/a.zip", true, false, "host", 80, "/dir/a.zip", "", ""},
        SplitCase{"HTTP://Host:8080", true, false, "Host", 8080, "/", "", ""},
        SplitCase{"ftp://ana:se%40cr:et@files.example/pub/a%20b.zip", true, true, "files.example", 21,
                  "/pub/a b.zip", "ana", "se@cr:et"},
        SplitCase{"ftp://[::1]:2121/x", true, true, "::1", 2121, "/x", "", ""},
        SplitCase{"http://host/a.php?x=%41#frag", true, false, "host", 80, "/a.php?x=A", "", ""},
        SplitCase{"  http://host/a  ", true, false, "host", 80, "/a", "", ""},
        SplitCase{"https://host/a", false, false, "", 0, "", "", ""},
        SplitCase{"file:///etc/passwd", false, false, "", 0, "", "", ""},
        SplitCase{"host/a.zip", false, false, "", 0, "", "", ""},
        SplitCase{"http:///a", false, false, "", 0, "", "", ""},
        SplitCase{"http://host:0/a", false, false, "", 0, "", "", ""},
        SplitCase{"http://host:65536/a", false, false, "", 0, "", "", ""},
        SplitCase{"http://host:8x/a", false, false, "", 0, "", "", ""},
        SplitCase{"http://[::1/a", false, false, "", 0, "", "", ""},
        // Decoded line ends would inject commands into the FTP dialogue.
        SplitCase{"ftp://host/a%0D%0ADELE%20b", false, false, "", 0, "", "", ""},
        SplitCase{"ftp://us%0Aer@host/a", false, false, "", 0, "", "", ""},
        SplitCase{"http://host/a%00b", false, false, "", 0, "", "", ""}));

TEST(ResolveLocationTest, FollowsTheRules) {
  const auto current = *splitUrl("http://old:8080/dir/a.zip?q");
  EXPECT_EQ(resolveLocation(current, "http://host"), "http://host/dir/a.zip?q");
  EXPECT_EQ(resolveLocation(current, "http://host/new/b.zip"), "http://host/new/b.zip");
  EXPECT_EQ(resolveLocation(current, "//cdn/x"), "http://cdn/x");
  EXPECT_EQ(resolveLocation(current, "/root.zip"), "http://old:8080/root.zip");
  EXPECT_EQ(resolveLocation(current, "b.zip"), "http://old:8080/dir/b.zip");
  EXPECT_EQ(resolveLocation(current, "?r=1"), "http://old:8080/dir/a.zip?r=1");
}

TEST(RequestTargetTest, EncodesOnlyWhatMayNotAppear) {
  EXPECT_EQ(httpRequestTarget("/a b/%41\"<>\x7f\xc3\xa9?x=1&y"), "/a%20b/%41%22%3C%3E%7F%C3%A9?x=1&y");
}

TEST(Base64Test, PadsTheTail) {
  EXPECT_EQ(base64Encode(""), "");
  EXPECT_EQ(base64Encode("a"), "YQ==");
  EXPECT_EQ(base64Encode("ab"), "YWI=");
  EXPECT_EQ(base64Encode("abc"), "YWJj");
}

TEST(StatusLineTest, TakesTheThreeDigitsAfterTheFirstBlank) {
  EXPECT_EQ(parseStatusLine("HTTP/1.1 206 Partial Content")->code, 206);
  EXPECT_EQ(parseStatusLine("HTTP/1.1 206 Partial Content")->rest, " Partial Content");
  EXPECT_EQ(parseStatusLine("HTTP/1.0 200")->code, 200);
  EXPECT_FALSE(parseStatusLine("HTTP/1.1 20"));
  EXPECT_FALSE(parseStatusLine("HTTP/1.1 2x0 OK"));
  EXPECT_FALSE(parseStatusLine(""));
}

TEST(HeaderTest, NamesWithoutCaseAndValuesWithoutBlanks) {
  HttpHeaders h;
  applyHeaderLine("content-LENGTH:12", h);
  applyHeaderLine("Location:   http://x/y  ", h);
  applyHeaderLine("no colon here", h);
  EXPECT_EQ(h.contentLength, 12);
  EXPECT_EQ(h.location, "http://x/y");
  EXPECT_FALSE(h.rangesSeen);
  applyHeaderLine("Content-Range: bytes 5000-9999/10000", h);
  EXPECT_TRUE(h.rangesSeen);
  ASSERT_TRUE(h.contentRange);
  EXPECT_EQ(h.contentRange->first, 5000);
  EXPECT_EQ(h.contentRange->complete, 10000);
  // A length that cannot be read is kept aside for the engine to refuse,
  // never taken for no length at all.
  EXPECT_FALSE(h.unreadableLength);
  applyHeaderLine("Content-Length: 99999999999999999999", h);
  EXPECT_EQ(h.unreadableLength, "Content-Length: 99999999999999999999");
  EXPECT_FALSE(h.unreadableRange);
  applyHeaderLine("Content-Range: bytes 1-2", h);
  EXPECT_EQ(h.unreadableRange, "Content-Range: bytes 1-2");
}

TEST(ContentRangeTest, ParsesEveryForm) {
  EXPECT_EQ(parseContentRange("bytes */4294971392")->complete, 4294971392);
  EXPECT_FALSE(parseContentRange("bytes */4294971392")->first);
  EXPECT_FALSE(parseContentRange("bytes 0-9/*")->complete);
  EXPECT_FALSE(parseContentRange("bytes 9-0/10"));
  EXPECT_FALSE(parseContentRange("items 0-9/10"));
}

TEST(FtpParseTest, PassivePorts) {
  // 19 * 256 + 137.
  EXPECT_EQ(parsePasvPort("227 Entering Passive Mode (10,0,0,1,19,137)"), 5001);
  EXPECT_EQ(parsePasvPort("227 =127,0,0,1,0,21"), 21);
  EXPECT_FALSE(parsePasvPort("227 Entering Passive Mode (10,0,0,1,0,0)"));
  EXPECT_FALSE(parsePasvPort("227 Entering Passive Mode (10,0,0,1,256,1)"));
  EXPECT_FALSE(parsePasvPort("227 Entering Passive Mode (10,0,0,1)"));
  EXPECT_EQ(parseEpsvPort("229 Entering Extended Passive Mode (|||6446|)"), 6446);
  EXPECT_FALSE(parseEpsvPort("229 Entering Extended Passive Mode (|||0|)"));
  EXPECT_EQ(parseSizeReply("213 5368709120"), 5368709120);
  EXPECT_FALSE(parseSizeReply("213 "));
}

}  // namespace
}  // namespace zelvor
