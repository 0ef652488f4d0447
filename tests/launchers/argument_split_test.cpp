// Splitting an entry's argument line into the vector a program receives,
// and writing a vector back so that it splits into itself.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "launchers/argument_split.h"

namespace zelvor {
namespace {

using Args = std::vector<std::string>;

TEST(ArgumentSplit, FollowsTheShellQuotingRulesAndNothingElse) {
  struct Case {
    const char* line;
    Args args;
  };
  const Case cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"a b  c", {"a", "b", "c"}},
      {"\ta\nb\r\nc ", {"a", "b", "c"}},
      // Spaces in paths.
      {"\"/home/ana/Mis documentos/carta.txt\"", {"/home/ana/Mis documentos/carta.txt"}},
      {"'/home/ana/Mis documentos'", {"/home/ana/Mis documentos"}},
      {"/home/ana/Mis\\ documentos", {"/home/ana/Mis documentos"}},
      // Empty arguments.
      {"\"\"", {""}},
      {"''", {""}},
      {"a \"\" b", {"a", "", "b"}},
      {"a '' ''", {"a", "", ""}},
      // Quotes join the words they touch.
      {"a\"b c\"d", {"ab cd"}},
      {"--name='x y'", {"--name=x y"}},
      {"'a'\"b\"c", {"abc"}},
      // Escaped quotes.
      {"\\\"", {"\""}},
      {"\\'", {"'"}},
      {"\"say \\\"hi\\\"\"", {"say \"hi\""}},
      {"'it'\\''s'", {"it's"}},
      {"\"it's\"", {"it's"}},
      {"'say \"hi\"'", {"say \"hi\""}},
      // Inside double quotes a backslash escapes only $ ` " \ and a line feed.
      {"\"a\\$b\\`c\\\\d\"", {"a$b`c\\d"}},
      {"\"C:\\Datos\\n\"", {"C:\\Datos\\n"}},
      {"\"a\\\nb\"", {"ab"}},
      // Inside single quotes nothing is special.
      {"'a\\b\\'", {"a\\b\\"}},
      // Outside quotes a backslash takes the next character as it is.
      {"C:\\Datos", {"C:Datos"}},
      {"a\\\\b", {"a\\b"}},
      {"a\\\nb", {"ab"}},
      {"a\\", {"a\\"}},
      {"\\", {"\\"}},
      // Nothing a shell would expand or interpret.
      {"$(touch /tmp/pwned)", {"$(touch", "/tmp/pwned)"}},
      {"\"$(touch /tmp/pwned)\"", {"$(touch /tmp/pwned)"}},
      {"`id` $HOME ~ *.txt", {"`id`", "$HOME", "~", "*.txt"}},
      {"a;b | c && d > e # f", {"a;b", "|", "c", "&&", "d", ">", "e", "#", "f"}},
      {"%HOME% %1", {"%HOME%", "%1"}},
      // Text beyond ASCII passes untouched.
      {"\"Año nuevo\" ñ", {"Año nuevo", "ñ"}},
  };
  for (const auto& c : cases) {
    const SplitResult r = SplitArguments(c.line);
    EXPECT_EQ(r.status, SplitStatus::Ok) << c.line;
    EXPECT_EQ(r.arguments, c.args) << c.line;
  }
}

TEST(ArgumentSplit, AnUnterminatedQuoteIsAnErrorNotAGuess) {
  struct Case {
    const char* line;
    SplitStatus status;
  };
  const Case cases[] = {
      {"'abc", SplitStatus::UnterminatedSingleQuote},
      {"a 'b c", SplitStatus::UnterminatedSingleQuote},
      {"\"abc", SplitStatus::UnterminatedDoubleQuote},
      {"\"a\\\"", SplitStatus::UnterminatedDoubleQuote},
      {"\"it's", SplitStatus::UnterminatedDoubleQuote},
      {"'", SplitStatus::UnterminatedSingleQuote},
  };
  for (const auto& c : cases) {
    const SplitResult r = SplitArguments(c.line);
    EXPECT_EQ(r.status, c.status) << c.line;
    EXPECT_TRUE(r.arguments.empty()) << c.line;
  }
}

TEST(ArgumentSplit, JoinedArgumentsSplitBackIntoThemselves) {
  const Args vectors[] = {
      {},
      {""},
      {"plain", "--opt=1", "/usr/share/x.txt", "50%"},
      {"two words", "it's", "say \"hi\"", "back\\slash", "$(touch /tmp/pwned)"},
      {"tab\there", "line\nfeed", "", "'", "\"", "\\", "`"},
      {"ñandú", "Año nuevo", "#", "~", "*", "a;b", "&", "|", ">"},
  };
  for (const auto& v : vectors) {
    const std::string line = JoinArguments(v);
    const SplitResult r = SplitArguments(line);
    EXPECT_EQ(r.status, SplitStatus::Ok) << line;
    EXPECT_EQ(r.arguments, v) << line;
  }
  EXPECT_EQ(QuoteArgument("plain/path.txt"), "plain/path.txt");
  EXPECT_EQ(QuoteArgument("it's"), "'it'\\''s'");
  EXPECT_EQ(QuoteArgument(""), "''");
}

}  // namespace
}  // namespace zelvor
