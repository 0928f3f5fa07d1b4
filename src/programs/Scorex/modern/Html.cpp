#include "programs/Scorex/modern/Html.h"

#include <cmath>
#include <cstdio>

#include "util/CivilDate.h"

namespace orvane::programs::Scorex::modern {

std::string Html::utf8(std::string_view latin1) {
  std::string out;
  out.reserve(latin1.size() + latin1.size() / 4);
  for (const char ch : latin1) {
    const auto b = static_cast<unsigned char>(ch);
    if (b < 0x20 || (b >= 0x7F && b < 0xA0)) {
      out.push_back('?');
    } else if (b < 0x80) {
      out.push_back(ch);
    } else {
      out.push_back(static_cast<char>(0xC0 | (b >> 6)));
      out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
  }
  return out;
}

std::string Html::escape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char ch : text) {
    switch (ch) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      default:
        out.push_back(ch);
    }
  }
  return out;
}

std::string Html::json(std::string_view latin1) {
  std::string out = "\"";
  for (const char ch : utf8(latin1)) {
    switch (ch) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '<':
        out += "\\u003c";
        break;
      case '>':
        out += "\\u003e";
        break;
      case '&':
        out += "\\u0026";
        break;
      default:
        out.push_back(ch);
    }
  }
  return out + "\"";
}

std::string Html::slug(std::string_view latin1) {
  std::string out;
  for (const char ch : latin1.substr(0, 60)) {
    if (ch >= 'A' && ch <= 'Z') {
      out.push_back(static_cast<char>(ch - 'A' + 'a'));
    } else if ((ch >= 'a' && ch <= 'z') || (ch >= '0' && ch <= '9')) {
      out.push_back(ch);
    } else {
      out.push_back('-');
    }
  }
  return out;
}

int64_t Html::dayOf(int64_t millis) {
  constexpr int64_t kDay = 86400000;
  // Rounds towards minus infinity, so a stamp before 1970 falls on its own day.
  int64_t day = millis / kDay;
  if (millis % kDay < 0) --day;
  return day;
}

std::string Html::dayText(int64_t day) {
  const util::CivilDate c = util::civilFromDays(day);
  char buf[96];
  std::snprintf(buf, sizeof buf, "%04lld-%02lld-%02lld", static_cast<long long>(c.year),
                static_cast<long long>(c.month), static_cast<long long>(c.day));
  return buf;
}

std::string Html::date(int64_t millis) { return dayText(dayOf(millis)); }

std::string Html::fixed(double v, int decimals) {
  if (!std::isfinite(v) || std::fabs(v) > 1e15) return "-";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  // "-0.00" reads as a loss where there was none.
  std::string out = buf;
  if (out.size() > 1 && out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos) {
    out.erase(0, 1);
  }
  return out;
}

std::string Html::duration(double seconds) {
  if (!std::isfinite(seconds) || seconds < 0 || seconds > 1e9) return "-";
  const auto s = static_cast<int64_t>(seconds);
  char buf[96];
  if (s >= 3600) {
    std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>(s / 60 % 60), static_cast<long long>(s % 60));
  } else {
    std::snprintf(buf, sizeof buf, "%lld:%02lld", static_cast<long long>(s / 60),
                  static_cast<long long>(s % 60));
  }
  return buf;
}

}  // namespace orvane::programs::Scorex::modern
