#include "launchers/argument_split.h"

namespace zelvor {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool EscapableInDoubleQuotes(char c) {
  return c == '$' || c == '`' || c == '"' || c == '\\' || c == '\n';
}

bool NeedsNoQuotes(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.' || c == '/' || c == ',' || c == ':' || c == '=' || c == '+' ||
         c == '@' || c == '%' || static_cast<unsigned char>(c) >= 0x80;
}

}  // namespace

SplitResult SplitArguments(std::string_view line) {
  SplitResult result;
  std::string word;
  bool inWord = false;  // a quote pair makes a word even when it adds nothing
  std::size_t i = 0;
  const std::size_t n = line.size();
  while (i < n) {
    const char c = line[i];
    if (IsBlank(c)) {
      if (inWord) result.arguments.push_back(std::move(word));
      word.clear();
      inWord = false;
      ++i;
    } else if (c == '\'') {
      const std::size_t close = line.find('\'', i + 1);
      if (close == std::string_view::npos) return {SplitStatus::UnterminatedSingleQuote, {}};
      word.append(line.substr(i + 1, close - i - 1));
      inWord = true;
      i = close + 1;
    } else if (c == '"') {
      ++i;
      for (;;) {
        if (i >= n) return {SplitStatus::UnterminatedDoubleQuote, {}};
        const char d = line[i];
        if (d == '"') break;
        if (d == '\\' && i + 1 < n && EscapableInDoubleQuotes(line[i + 1])) {
          if (line[i + 1] != '\n') word += line[i + 1];
          i += 2;
          continue;
        }
        word += d;
        ++i;
      }
      inWord = true;
      ++i;
    } else if (c == '\\') {
      if (i + 1 >= n) {
        word += '\\';
        inWord = true;
        ++i;
      } else if (line[i + 1] == '\n') {
        i += 2;
      } else {
        word += line[i + 1];
        inWord = true;
        i += 2;
      }
    } else {
      word += c;
      inWord = true;
      ++i;
    }
  }
  if (inWord) result.arguments.push_back(std::move(word));
  return result;
}

std::string QuoteArgument(std::string_view argument) {
  bool plain = !argument.empty();
  for (const char c : argument) plain = plain && NeedsNoQuotes(c);
  if (plain) return std::string(argument);
  std::string out = "'";
  for (const char c : argument) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  out += '\'';
  return out;
}

std::string JoinArguments(const std::vector<std::string>& arguments) {
  std::string out;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (i > 0) out += ' ';
    out += QuoteArgument(arguments[i]);
  }
  return out;
}

}  // namespace zelvor
