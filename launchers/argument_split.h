#pragma once
// Arguments of an entry are one line of text; programs are started with an
// argument vector and no shell, so the line is split here with the quoting
// rules of a POSIX shell and nothing else: no variables, no globbing, no
// command substitution, no redirection, no comments. docs/launchers.md
// gives the rules with examples.

#include <string>
#include <string_view>
#include <vector>

namespace zelvor {

enum class SplitStatus { Ok, UnterminatedSingleQuote, UnterminatedDoubleQuote };

struct SplitResult {
  SplitStatus status = SplitStatus::Ok;
  std::vector<std::string> arguments;  // empty unless status is Ok
};

// Splits at blanks (space, tab, carriage return, line feed) outside quotes.
//  - '...' keeps everything up to the next single quote as it is.
//  - "..." keeps everything but a backslash before $ ` " \ or a line feed,
//    which gives that character (a backslash-line feed gives nothing).
//  - Outside quotes a backslash gives the next character as it is (a
//    backslash-line feed gives nothing; a backslash at the very end stays).
//  - Quotes join the words they touch: a"b c"d is one argument, and "" or ''
//    alone is an empty argument.
[[nodiscard]] SplitResult SplitArguments(std::string_view line);

// The argument written so that SplitArguments gives it back unchanged:
// as it is when it holds only characters no rule touches, otherwise in
// single quotes (a single quote inside becomes '\'').
[[nodiscard]] std::string QuoteArgument(std::string_view argument);
// The arguments quoted and joined with single blanks.
[[nodiscard]] std::string JoinArguments(const std::vector<std::string>& arguments);

}  // namespace zelvor
