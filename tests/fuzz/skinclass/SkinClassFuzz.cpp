// Any bytes as skin text, every class applied to a button, a label, a picture, a slider and a combo box: applying
// never fails, the ignored properties stay, and applying the same class twice gives the same control.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CommonLib/RdControl/RdComboBox.h"
#include "CommonLib/RdControl/RdImageButton.h"
#include "CommonLib/RdControl/RdLabel.h"
#include "CommonLib/RdControl/RdSkinClass.h"
#include "CommonLib/RdControl/RdSkinText.h"
#include "CommonLib/RdControl/RdSlider.h"
#include "base/TextDecoding.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::u16string text = qor::DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  qor::TRdSkinText skin;
  skin.AddText(text);
  skin.ResolveParents();
  qor::TRdSkinStyles styles;
  for (const std::u16string& name : skin.ClassNames()) {
    const qor::TRdValueStrings& values = *skin.Find(name);
    qor::TRdImageButton button;
    qor::TRdLabel label;
    qor::TRdImage image;
    qor::TRdSlider slider;
    qor::TRdComboBox box;
    qor::TRdSkinClass buttonSkin(button, styles), labelSkin(label, styles), imageSkin(image, styles),
        sliderSkin(slider, styles), boxSkin(box, styles);
    buttonSkin.IgnoreValues = {u"TextOffset", u"ImageOption.Left"};
    for (qor::TRdSkinClass* s : {&buttonSkin, &labelSkin, &imageSkin, &sliderSkin, &boxSkin})
      s->ApplyValues(values, u"classic");
    Check(button.TextOffset == qor::TRdImageButton().TextOffset && button.ImageOption.Left == 0);
    const qor::TRdFont font = button.Font;
    const qor::TRdButtonPictures pictures = button.Pictures;
    buttonSkin.ApplyValues(values, u"classic");
    Check(button.Font == font && button.Pictures.ImageNormal == pictures.ImageNormal);
    Check(slider.Value() >= slider.MinValue() && slider.Value() <= slider.MaxValue());
  }
  return 0;
}
