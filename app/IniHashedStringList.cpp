#include "app/IniHashedStringList.h"

#include "base/Utf16Text.h"

namespace qor {

// ---- TIniHashedStringList ----

std::u16string TIniHashedStringList::HashKey(std::u16string_view text) const {
  return FCaseSensitive ? std::u16string(text) : UpperCase(text);
}

bool TIniHashedStringList::SameKey(std::u16string_view a, std::u16string_view b) const {
  return FCaseSensitive ? a == b : SameText(a, b);
}

bool TIniHashedStringList::HasName(int index) const { return Line(index).find(u'=') != std::u16string::npos; }

std::u16string TIniHashedStringList::Name(int index) const {
  const std::u16string& line = Line(index);
  const size_t eq = line.find(u'=');
  return eq == std::u16string::npos ? std::u16string() : line.substr(0, eq);
}

std::u16string TIniHashedStringList::ValueFromIndex(int index) const {
  const std::u16string& line = Line(index);
  const size_t eq = line.find(u'=');
  return eq == std::u16string::npos ? std::u16string() : line.substr(eq + 1);
}

void TIniHashedStringList::IndexLine(int index) const {
  // emplace keeps an existing entry, so the first of several equal keys stays the one found.
  if (FLineIndexValid) FLineIndex.emplace(HashKey(Line(index)), index);
  if (FNameIndexValid && HasName(index)) FNameIndex.emplace(HashKey(Name(index)), index);
}

int TIniHashedStringList::Add(std::u16string line) {
  FLines.push_back(std::move(line));
  const int index = Count() - 1;
  IndexLine(index);
  return index;
}

void TIniHashedStringList::Put(int index, std::u16string line) {
  std::u16string& slot = FLines[static_cast<size_t>(index)];
  if (FLineIndexValid) {
    const auto it = FLineIndex.find(HashKey(slot));
    // The old text may be shared with a later line; rebuilding is simplest and rare.
    if (it != FLineIndex.end() && it->second == index) FLineIndexValid = false;
  }
  if (FNameIndexValid) {
    const bool hadName = slot.find(u'=') != std::u16string::npos;
    const bool hasName = line.find(u'=') != std::u16string::npos;
    const std::u16string oldName = hadName ? slot.substr(0, slot.find(u'=')) : std::u16string();
    const std::u16string newName = hasName ? line.substr(0, line.find(u'=')) : std::u16string();
    if (hadName != hasName || !SameKey(oldName, newName)) FNameIndexValid = false;
  }
  slot = std::move(line);
  if (FLineIndexValid) {
    const auto [it, inserted] = FLineIndex.emplace(HashKey(slot), index);
    if (!inserted && it->second > index) it->second = index;
  }
}

void TIniHashedStringList::Delete(int index) {
  FLines.erase(FLines.begin() + index);
  FLineIndexValid = false;
  FNameIndexValid = false;
}

void TIniHashedStringList::Clear() {
  FLines.clear();
  FLineIndex.clear();
  FNameIndex.clear();
  FLineIndexValid = false;
  FNameIndexValid = false;
}

void TIniHashedStringList::EnsureLineIndex() const {
  if (FLineIndexValid) return;
  FLineIndex.clear();
  FLineIndex.reserve(FLines.size());
  for (int i = 0; i < Count(); ++i) FLineIndex.emplace(HashKey(Line(i)), i);
  FLineIndexValid = true;
}

void TIniHashedStringList::EnsureNameIndex() const {
  if (FNameIndexValid) return;
  FNameIndex.clear();
  FNameIndex.reserve(FLines.size());
  for (int i = 0; i < Count(); ++i) {
    if (HasName(i)) FNameIndex.emplace(HashKey(Name(i)), i);
  }
  FNameIndexValid = true;
}

int TIniHashedStringList::IndexOf(std::u16string_view line) const {
  EnsureLineIndex();
  const auto it = FLineIndex.find(HashKey(line));
  return it == FLineIndex.end() ? -1 : it->second;
}

int TIniHashedStringList::IndexOfName(std::u16string_view name) const {
  EnsureNameIndex();
  const auto it = FNameIndex.find(HashKey(name));
  return it == FNameIndex.end() ? -1 : it->second;
}

std::optional<std::u16string> TIniHashedStringList::Value(std::u16string_view name) const {
  const int i = IndexOfName(name);
  if (i < 0) return std::nullopt;
  return ValueFromIndex(i);
}

void TIniHashedStringList::SetValue(std::u16string_view name, std::u16string_view value) {
  std::u16string line;
  line.reserve(name.size() + 1 + value.size());
  line.append(name).append(u"=").append(value);
  const int i = IndexOfName(name);
  if (i >= 0) {
    Put(i, std::move(line));
  } else {
    Add(std::move(line));
  }
}

// ---- TIniSections ----

TIniSections::TIniSections(bool caseSensitive) : FNames(caseSensitive) {}

TIniSections::TIniSections(const TIniSections& other) : FNames(other.FNames) {
  for (const auto& list : other.FLists) FLists.push_back(std::make_unique<TIniHashedStringList>(*list));
}

TIniSections& TIniSections::operator=(const TIniSections& other) {
  if (this != &other) {
    TIniSections copy(other);
    FNames = std::move(copy.FNames);
    FLists = std::move(copy.FLists);
    InvalidateCache();
  }
  return *this;
}

void TIniSections::Clear() {
  FNames.Clear();
  FLists.clear();
  InvalidateCache();
}

int TIniSections::IndexOfSection(std::u16string_view section) const {
  if (FLastIndex >= 0 && FNames.SameKey(FLastName, section)) return FLastIndex;
  const int index = FNames.IndexOf(section);
  if (index >= 0) {
    FLastName.assign(section);
    FLastIndex = index;
  }
  return index;
}

const TIniHashedStringList* TIniSections::Section(std::u16string_view section) const {
  const int i = IndexOfSection(section);
  return i < 0 ? nullptr : FLists[static_cast<size_t>(i)].get();
}

TIniHashedStringList& TIniSections::AddSection(std::u16string_view section) {
  const int i = IndexOfSection(section);
  if (i >= 0) return *FLists[static_cast<size_t>(i)];
  InvalidateCache();
  FNames.Add(std::u16string(section));
  FLists.push_back(std::make_unique<TIniHashedStringList>(FNames.CaseSensitive()));
  return *FLists.back();
}

void TIniSections::EraseSection(std::u16string_view section) {
  const int i = IndexOfSection(section);
  if (i < 0) return;
  InvalidateCache();
  FNames.Delete(i);
  FLists.erase(FLists.begin() + i);
}

std::vector<std::u16string> TIniSections::SectionNames() const {
  std::vector<std::u16string> names;
  names.reserve(static_cast<size_t>(FNames.Count()));
  for (int i = 0; i < FNames.Count(); ++i) names.push_back(FNames.Line(i));
  return names;
}

std::optional<std::u16string> TIniSections::ReadValue(std::u16string_view section, std::u16string_view name) const {
  const TIniHashedStringList* list = Section(section);
  if (!list) return std::nullopt;
  return list->Value(name);
}

void TIniSections::WriteValue(std::u16string_view section, std::u16string_view name, std::u16string_view value) {
  AddSection(section).SetValue(name, value);
}

bool TIniSections::DeleteKey(std::u16string_view section, std::u16string_view name) {
  const int s = IndexOfSection(section);
  if (s < 0) return false;
  TIniHashedStringList& list = *FLists[static_cast<size_t>(s)];
  const int i = list.IndexOfName(name);
  if (i < 0) return false;
  list.Delete(i);
  return true;
}

void TIniSections::Parse(std::u16string_view text) {
  Clear();
  TIniHashedStringList* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = pos;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n') ++end;
    const std::u16string line = Trim(text.substr(pos, end - pos));
    // CR LF, LF and a lone CR each end a line.
    if (end < text.size() && text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n') ++end;
    pos = end + 1;

    if (line.empty() || line[0] == u';') continue;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      current = &AddSection(Trim(std::u16string_view(line).substr(1, line.size() - 2)));
      continue;
    }
    if (!current) continue;  // before the first section
    const size_t eq = line.find(u'=');
    if (eq == std::u16string::npos) {
      current->Add(line);
    } else {
      std::u16string pair = TrimRight(std::u16string_view(line).substr(0, eq));
      pair.push_back(u'=');
      pair.append(TrimLeft(std::u16string_view(line).substr(eq + 1)));
      current->Add(std::move(pair));
    }
  }
}

std::u16string TIniSections::Serialize() const {
  std::u16string out;
  for (int s = 0; s < FNames.Count(); ++s) {
    if (s > 0) out.append(u"\r\n");
    out.append(u"[").append(FNames.Line(s)).append(u"]\r\n");
    const TIniHashedStringList& list = *FLists[static_cast<size_t>(s)];
    for (int i = 0; i < list.Count(); ++i) out.append(list.Line(i)).append(u"\r\n");
  }
  return out;
}

}  // namespace qor
