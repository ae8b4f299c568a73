#include "output/win/PictureWriter.h"

#include "app/LogManage.h"
#include "app/MessageTexts.h"
#include "base/FileSystem.h"
#include "output/PictureWriteFlow.h"
#include "output/win/SaveDialog.h"
#include "output/win/SaveNewBitmap.h"

namespace qor {
namespace {

// The flow's writes, questions and messages as message boxes over owner.
class TPictureWriteBoxes : public TPictureWriteHost {
 public:
  TPictureWriteBoxes(HWND owner, const TConstImageView& image) : FOwner(owner), FImage(image) {}

  TSaveResult Save(const std::u16string& path) override { return SaveNewBitmap(FImage, path); }
  bool FileExists(const std::u16string& path) override { return FileSystem().FileExists(path); }
  bool Ask(const std::u16string& question) override { return AskYesNo(FOwner, question); }
  bool ConfirmOverwrite(const std::u16string& path) override {
    const std::u16string& question = MessageTexts().M_Screen_ImgExitHint;
    return AskOverwrite(FOwner, question.empty() ? u"%s already exists. Do you want to replace it?" : question, path);
  }
  void Tell(const std::u16string& text) override { ShowMessage(FOwner, text); }
  void Log(const std::u16string& line) override { WriteLog(line); }

 private:
  HWND FOwner;
  TConstImageView FImage;
};

}  // namespace

bool WritePictureFile(HWND owner, const TConstImageView& image, const std::u16string& path,
                      std::u16string* writtenPath) {
  TPictureWriteBoxes boxes(owner, image);
  const std::optional<std::u16string> written = RunPictureWrite(path, {image.Width, image.Height}, boxes);
  if (written && writtenPath) *writtenPath = *written;
  return written.has_value();
}

}  // namespace qor
