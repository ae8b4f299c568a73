#include "CommonLib/RdControl/RdSkinText.h"

#include <functional>
#include <optional>

#include "base/Utf16Text.h"

namespace qor {

namespace {

bool IsBlank(char16_t c) { return c <= u' '; }

bool IsHex(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

bool IsIdentChar(char16_t c) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'_';
}

bool IsIdentifier(std::u16string_view text) {
  if (text.empty()) return false;
  for (char16_t c : text) {
    if (!IsIdentChar(c)) return false;
  }
  return true;
}

// "Font.Color", "Columns.0.Width": identifiers joined by single dots.
bool IsDottedName(std::u16string_view name) {
  size_t start = 0;
  while (true) {
    const size_t dot = name.find(u'.', start);
    if (!IsIdentifier(name.substr(start, dot == std::u16string_view::npos ? dot : dot - start))) return false;
    if (dot == std::u16string_view::npos) return true;
    start = dot + 1;
  }
}

std::vector<std::u16string_view> SplitLines(std::u16string_view text) {
  std::vector<std::u16string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == u'\r' || text[i] == u'\n') {
      lines.push_back(text.substr(start, i - start));
      if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
      start = i + 1;
    }
  }
  if (start < text.size()) lines.push_back(text.substr(start));
  return lines;
}

std::u16string_view TrimView(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Decodes string parts from pos; true when the last thing read was a "+" that waits for another part.
bool DecodeParts(std::u16string_view s, size_t& pos, std::u16string& out) {
  bool waitingPart = false;
  while (true) {
    while (pos < s.size() && IsBlank(s[pos])) ++pos;
    if (pos >= s.size()) return waitingPart;
    const char16_t c = s[pos];
    if (c == u'\'') {
      ++pos;
      while (pos < s.size() && s[pos] != u'\r' && s[pos] != u'\n') {
        if (s[pos] == u'\'') {
          if (pos + 1 < s.size() && s[pos + 1] == u'\'') {
            out += u'\'';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        out += s[pos++];
      }
    } else if (c == u'#') {
      ++pos;
      const bool hex = pos < s.size() && s[pos] == u'$';
      if (hex) ++pos;
      uint32_t code = 0;
      bool digits = false, tooBig = false;
      while (pos < s.size() && (hex ? IsHex(s[pos]) : (s[pos] >= u'0' && s[pos] <= u'9'))) {
        const char16_t d = s[pos++];
        const uint32_t v = d <= u'9' ? d - u'0' : (d | 0x20) - u'a' + 10;
        code = code * (hex ? 16 : 10) + v;
        if (code > 0xFFFF) {
          tooBig = true;
          code = 0x10000;  // keeps the sum small while the digits run on
        }
        digits = true;
      }
      if (digits && !tooBig) out += static_cast<char16_t>(code);
    } else if (c == u'+') {
      ++pos;
      waitingPart = true;
      continue;
    } else {
      return false;  // not part of a string: the value ends here
    }
    waitingPart = false;
  }
}

bool StartsString(std::u16string_view line) { return !line.empty() && (line[0] == u'\'' || line[0] == u'#'); }

// One open collection ("Columns=<"): its dotted path, how many items it had, whether an item is open.
struct TCollection {
  std::u16string Path;
  int Items = 0;
  bool InItem = false;
  bool Skip = false;  // an "item" that belongs to no collection
};

class TParser {
 public:
  TParser(std::u16string_view text, std::function<TRdValueStrings*(std::u16string_view)> classFor)
      : FLines(SplitLines(text)), FClassFor(std::move(classFor)) {}

  void Run() {
    while (FNext < FLines.size()) ParseLine(TrimView(FLines[FNext++]));
  }

 private:
  void ParseLine(std::u16string_view line) {
    if (line.empty() || line[0] == u';') return;
    if (line[0] == u'[') return StartSection(line);
    if (FClass == nullptr) return;
    if (SameText(line, u"item")) return OpenItem();
    if (SameText(line, u"end")) return EndItem();
    if (SameText(line, u"end>")) {
      EndItem();
      return CloseCollection();
    }
    if (line == u">") return CloseCollection();
    const size_t eq = line.find(u'=');
    if (eq == std::u16string_view::npos) return;
    const std::u16string_view name = TrimView(line.substr(0, eq));
    const std::u16string_view rest = TrimView(line.substr(eq + 1));
    std::optional<TRdValueLine> value = ParseValue(rest);
    const std::optional<std::u16string> prefix = Prefix();
    if (!IsDottedName(name) || !prefix || rest == u"<>") return;
    const std::u16string fullName = *prefix + std::u16string(name);
    if (rest == u"<") {
      FCollections.push_back({fullName});
      return;
    }
    if (value) FClass->SetValue(fullName, value->Value, value->Kind);
  }

  void StartSection(std::u16string_view line) {
    FCollections.clear();
    FClass = nullptr;
    const size_t close = line.find(u']');
    if (close == std::u16string_view::npos) return;
    const std::u16string_view name = TrimView(line.substr(1, close - 1));
    if (!name.empty()) FClass = FClassFor(name);
  }

  // "Columns.2." inside the third item of Columns; nothing between items or inside a skipped item.
  std::optional<std::u16string> Prefix() const {
    if (FCollections.empty()) return std::u16string();
    for (const TCollection& c : FCollections) {
      if (c.Skip || !c.InItem) return std::nullopt;
    }
    const TCollection& top = FCollections.back();
    return top.Path + u'.' + IntToText(top.Items - 1) + u'.';
  }

  void OpenItem() {
    if (!FCollections.empty() && !FCollections.back().InItem) {
      FCollections.back().InItem = true;
      ++FCollections.back().Items;
      return;
    }
    FCollections.push_back({u"", 1, true, true});
  }

  void EndItem() {
    if (FCollections.empty() || !FCollections.back().InItem) return;
    if (FCollections.back().Skip) {
      FCollections.pop_back();
      return;
    }
    FCollections.back().InItem = false;
  }

  void CloseCollection() {
    if (!FCollections.empty() && !FCollections.back().InItem) FCollections.pop_back();
  }

  std::optional<TRdValueLine> ParseValue(std::u16string_view rest) {
    if (rest.empty()) return TRdValueLine{{}, {}, TRdValueKind::Plain};
    switch (rest[0]) {
      case u'\'':
      case u'#': return ParseString(rest);
      case u'[': return ParseSet(rest);
      case u'(': return ParseList(rest);
      case u'{': return ParseBinary(rest.substr(1));
      default: return TRdValueLine{{}, std::u16string(rest), TRdValueKind::Plain};
    }
  }

  std::optional<TRdValueLine> ParseString(std::u16string_view rest) {
    std::u16string out;
    size_t pos = 0;
    bool more = DecodeParts(rest, pos, out);
    while (more && FNext < FLines.size() && StartsString(TrimView(FLines[FNext]))) {
      const std::u16string_view next = TrimView(FLines[FNext++]);
      pos = 0;
      more = DecodeParts(next, pos, out);
    }
    return TRdValueLine{{}, std::move(out), TRdValueKind::String};
  }

  static std::optional<TRdValueLine> ParseSet(std::u16string_view rest) {
    const size_t close = rest.find(u']');
    if (close == std::u16string_view::npos) return std::nullopt;
    const std::u16string_view inner = rest.substr(1, close - 1);
    std::u16string out = u"[";
    if (!TrimView(inner).empty()) {
      size_t start = 0;
      while (true) {
        const size_t comma = inner.find(u',', start);
        const std::u16string_view member =
            TrimView(inner.substr(start, comma == std::u16string_view::npos ? comma : comma - start));
        if (!IsIdentifier(member)) return std::nullopt;
        if (start > 0) out += u", ";
        out += member;
        if (comma == std::u16string_view::npos) break;
        start = comma + 1;
      }
    }
    out += u']';
    return TRdValueLine{{}, std::move(out), TRdValueKind::Set};
  }

  std::optional<TRdValueLine> ParseList(std::u16string_view rest) {
    std::u16string out;
    int depth = 0;
    std::u16string_view line = rest;
    while (true) {
      bool inQuote = false;  // a quoted string never runs over a line end
      for (size_t i = 0; i < line.size(); ++i) {
        const char16_t c = line[i];
        out += c;
        if (inQuote) {
          inQuote = c != u'\'';
        } else if (c == u'\'') {
          inQuote = true;
        } else if (c == u'(') {
          ++depth;
        } else if (c == u')' && --depth == 0) {
          return TRdValueLine{{}, std::move(out), TRdValueKind::List};
        }
      }
      if (FNext >= FLines.size()) return std::nullopt;
      line = TrimView(FLines[FNext]);
      if (!line.empty() && line[0] == u'[') return std::nullopt;  // the next section: left for the main loop
      ++FNext;
      if (!line.empty()) out += u' ';
    }
  }

  // rest: the text after "{".
  std::optional<TRdValueLine> ParseBinary(std::u16string_view rest) {
    std::u16string hex = u"{";
    std::u16string_view line = rest;
    bool first = true;
    while (true) {
      bool closed = false, bad = false;
      for (char16_t c : line) {
        if (c == u'}') {
          closed = true;
          break;
        }
        if (IsHex(c)) {
          hex += static_cast<char16_t>(c >= u'a' ? c - 0x20 : c);
        } else if (!IsBlank(c)) {
          bad = true;
          break;
        }
      }
      if (bad) {
        if (!first) --FNext;  // a line of another kind: read it as such
        return std::nullopt;
      }
      if (closed) {
        if (hex.size() % 2 == 0) return std::nullopt;  // "{" plus an odd number of digits
        hex += u'}';
        return TRdValueLine{{}, std::move(hex), TRdValueKind::Binary};
      }
      if (FNext >= FLines.size()) return std::nullopt;
      line = TrimView(FLines[FNext++]);
      first = false;
    }
  }

  std::vector<std::u16string_view> FLines;
  size_t FNext = 0;
  std::function<TRdValueStrings*(std::u16string_view)> FClassFor;
  TRdValueStrings* FClass = nullptr;
  std::vector<TCollection> FCollections;
};

}  // namespace

std::u16string DecodeRdString(std::u16string_view text, size_t* consumed) {
  std::u16string out;
  size_t pos = 0;
  DecodeParts(text, pos, out);
  if (consumed != nullptr) *consumed = pos;
  return out;
}

void TRdSkinText::AddText(std::u16string_view text) {
  std::vector<size_t> touched;
  TParser parser(text, [&](std::u16string_view name) {
    // The pointer stays valid until the next section asks again (the class list may grow then).
    TClass& c = ClassFor(name);
    touched.push_back(static_cast<size_t>(&c - FClasses.data()));
    return &c.Own;
  });
  parser.Run();
  for (size_t index : touched) FClasses[index].Values = FClasses[index].Own;
}

TRdSkinText::TClass& TRdSkinText::ClassFor(std::u16string_view name) {
  const int index = IndexOf(name);
  if (index >= 0) return FClasses[static_cast<size_t>(index)];
  FIndex.emplace(UpperCase(name), FClasses.size());
  FClasses.push_back({std::u16string(name), {}, {}});
  return FClasses.back();
}

int TRdSkinText::IndexOf(std::u16string_view name) const {
  const auto it = FIndex.find(UpperCase(name));
  return it == FIndex.end() ? -1 : static_cast<int>(it->second);
}

void TRdSkinText::ResolveParents() {
  for (size_t i = 0; i < FClasses.size(); ++i) {
    std::vector<size_t> chain;
    std::vector<bool> seen(FClasses.size(), false);
    size_t current = i;
    while (!seen[current]) {
      seen[current] = true;
      chain.push_back(current);
      const std::u16string parent = Trim(FClasses[current].Own.ReadString(u"parent"));
      if (parent.empty() || SameText(parent, FClasses[current].Name)) break;
      const int next = IndexOf(parent);
      if (next < 0) break;
      current = static_cast<size_t>(next);
    }
    TRdValueStrings values;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      for (const TRdValueLine& line : FClasses[*it].Own.Lines()) values.SetValue(line.Name, line.Value, line.Kind);
    }
    FClasses[i].Values = std::move(values);
  }
}

const TRdValueStrings* TRdSkinText::Find(std::u16string_view className) const {
  const int index = IndexOf(className);
  return index < 0 ? nullptr : &FClasses[static_cast<size_t>(index)].Values;
}

const TRdValueStrings* TRdSkinText::FindOwn(std::u16string_view className) const {
  const int index = IndexOf(className);
  return index < 0 ? nullptr : &FClasses[static_cast<size_t>(index)].Own;
}

std::vector<std::u16string> TRdSkinText::ClassNames() const {
  std::vector<std::u16string> names;
  names.reserve(FClasses.size());
  for (const TClass& c : FClasses) names.push_back(c.Name);
  return names;
}

void TRdSkinText::Clear() {
  FClasses.clear();
  FIndex.clear();
}

}  // namespace qor
