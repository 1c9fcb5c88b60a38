// String services. Every result is a new string; the operands are unchanged.
#include <algorithm>

#include "runtime.h"

namespace {
int truth(bool value) { return value ? -1 : 0; }
}  // namespace

RtString str_concat(const RtString& first, const RtString& second) { return first + second; }

int str_equal(const RtString& first, const RtString& second) { return truth(first == second); }

int str_not_equal(const RtString& first, const RtString& second) { return truth(first != second); }

RtString str_upper(const RtString& text) {
  RtString upper = text;
  for (char& byte : upper) {
    if (byte >= 'a' && byte <= 'z') byte = static_cast<char>(byte - 'a' + 'A');
  }
  return upper;
}

RtString str_ltrim(const RtString& text) {
  const auto first = text.find_first_not_of(' ');
  return first == RtString::npos ? RtString{} : text.substr(first);
}

RtString str_rtrim(const RtString& text) {
  const auto last = text.find_last_not_of(' ');
  return last == RtString::npos ? RtString{} : text.substr(0, last + 1);
}

RtString str_left(const RtString& text, int count) {
  return text.substr(0, static_cast<std::size_t>(std::clamp(count, 0, static_cast<int>(text.size()))));
}

RtString str_chr(int code, unsigned line) {
  if (code < 0 || code > 255) {
    rt_raise_error(rt_error::kIllegalFunctionCall, line);
    return {};
  }
  return RtString(1, static_cast<char>(code));
}

RtString str_space(int count) { return RtString(static_cast<std::size_t>(std::max(count, 0)), ' '); }

int str_find(const RtString& text, const RtString& wanted) {
  if (text.empty()) return 0;
  const auto at = text.find(wanted);
  return at == RtString::npos ? 0 : static_cast<int>(at) + 1;
}
