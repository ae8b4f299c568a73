// Any bytes as a skin text file: parsing and parent resolution never fail, every stored line has a dotted name,
// values of each kind keep their canonical form, and the typed reads take whatever a file holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CommonLib/RdControl/RdSkinText.h"
#include "base/TextDecoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckValues(const qor::TRdValueStrings& values) {
  for (const qor::TRdValueLine& line : values.Lines()) {
    Check(!line.Name.empty() && line.Name.front() != u'.' && line.Name.back() != u'.');
    Check(values.Find(line.Name) != nullptr);
    switch (line.Kind) {
      case qor::TRdValueKind::Set: Check(line.Value.front() == u'[' && line.Value.back() == u']'); break;
      case qor::TRdValueKind::List: Check(line.Value.front() == u'(' && line.Value.back() == u')'); break;
      case qor::TRdValueKind::Binary:
        Check(line.Value.front() == u'{' && line.Value.back() == u'}' && line.Value.size() % 2 == 0);
        Check(values.ReadBinary(line.Name).size() * 2 + 2 == line.Value.size());
        break;
      default: break;
    }
    values.ReadBool(line.Name, false);
    values.ReadInteger(line.Name, 0);
    values.ReadSet(line.Name);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = qor::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  qor::TRdSkinText skin;
  skin.AddText(text);
  for (const std::u16string& name : skin.ClassNames()) CheckValues(*skin.FindOwn(name));
  // A second file over the first, then the parents.
  skin.AddText(text);
  skin.ResolveParents();
  for (const std::u16string& name : skin.ClassNames()) {
    const qor::TRdValueStrings* values = skin.Find(name);
    Check(values != nullptr);
    // Own values always win over inherited ones.
    for (const qor::TRdValueLine& own : skin.FindOwn(name)->Lines()) Check(values->Value(own.Name) == own.Value);
    CheckValues(*values);
  }
  size_t consumed = 0;
  qor::DecodeRdString(text, &consumed);
  Check(consumed <= text.size());
  return 0;
}
