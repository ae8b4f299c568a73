#pragma once
// TRdSkinText: the skin classes of the skin text files (":/public/main.ini", the skin's "main.ini" and the other
// ".ini" files of the packages). Each "[name]" section is one class; its lines are property values in the text form
// of window definitions, kept as TRdValueStrings:
//
//   [combobox]
//   class=TRdComboBox
//   parent=basecontrol                     the class whose values come first (a class naming itself has none)
//   Font.Color=text_color.cl_text_b        dotted property, plain value
//   Hint='It''s'#13#10'two lines' +        quoted string, "''" is a quote, "#" codes, "+" joins (also across lines)
//     ' and more'
//   Font.Style=[fsBold, fsItalic]          set
//   Margins=(1 2 3 4)                      list, may continue over lines until its ")"
//   Picture.Data={0A1B2C                   binary, hexadecimal over lines until "}"
//     3D}
//   Columns=<                              collection: the lines of its n-th item get the names "Columns.n.Name"
//     item
//       Width=40
//     end>
//
// Text that does not fit is dropped quietly, never guessed at: see AddText.
//
// Usage:
//   TRdSkinText skin;
//   skin.AddText(publicMainIni);  skin.AddText(skinMainIni);   // later files override earlier values
//   skin.ResolveParents();                                      // after the last file
//   if (const TRdValueStrings* v = skin.Find(u"combobox")) ...  // parent chain's values first, then its own
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "CommonLib/RdControl/RdValueStrings.h"

namespace qor {

class TRdSkinText {
 public:
  // Reads one file's text into the classes. A class named again (in this or a later text) keeps its lines and
  // takes the new values over them. Malformed text becomes:
  //   lines before the first section, blank lines, ";" comments    skipped
  //   a "[" line without "]" or with an empty name                 no class: lines up to the next section skipped
  //   a line without "=" (other than item / end / ">")             skipped
  //   a name that is not a dotted identifier ("a..b", "x y")       the line (and its value's continuation) skipped
  //   a set not closed on its line, or with a member that is not an identifier   skipped
  //   a list or binary value not closed before the next section or the end        skipped
  //   a binary value with a non-hex character or an odd number of digits          skipped; a line of another kind
  //                                                                 ends it and is read as a line of its own
  //   a quoted string without its closing quote                    the string runs to the end of the line
  //   a "#" code without digits or above $FFFF                     that code is left out
  //   text after a complete string that is not "+" another part    ignored
  //   text after the "]" of a set or the closing ")" of a list     ignored
  //   "item" outside a collection                                  the item's lines up to its "end" skipped
  //   "end" or ">" with nothing open                               skipped
  //   an unclosed collection                                       closed by the next section or the end
  void AddText(std::u16string_view text);
  // Gives every class its values with the parent chain's values first (the farthest ancestor first; later values
  // of the same name replace earlier ones). A chain ends at a missing class, at a class naming itself and where a
  // cycle would revisit a class. Call after the last file.
  void ResolveParents();

  // The class's values (resolved once ResolveParents ran, else its own); nullptr when there is no such class.
  // Class names are compared with case ignored.
  const TRdValueStrings* Find(std::u16string_view className) const;
  // The class's own lines as written.
  const TRdValueStrings* FindOwn(std::u16string_view className) const;
  std::vector<std::u16string> ClassNames() const;
  int ClassCount() const { return static_cast<int>(FClasses.size()); }
  void Clear();

 private:
  struct TClass {
    std::u16string Name;
    TRdValueStrings Own;
    TRdValueStrings Values;
  };
  TClass& ClassFor(std::u16string_view name);
  int IndexOf(std::u16string_view name) const;

  std::vector<TClass> FClasses;
  std::unordered_map<std::u16string, size_t> FIndex;  // upper-cased name
};

// Decodes a quoted string of the window-definition text form ('It''s'#13#10'x'); parts may be joined by "+".
// Malformed parts are handled as TRdSkinText::AddText says. Returns the characters taken in `consumed` when given.
std::u16string DecodeRdString(std::u16string_view text, size_t* consumed = nullptr);

}  // namespace qor
