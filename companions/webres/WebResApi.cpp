#include "companions/webres/WebResApi.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "base/Utf16Text.h"
#include "companions/webres/PackageRegistry.h"

namespace qor::webres {

namespace {

struct TState {
  std::mutex Lock;
  TPackageRegistry Packages;
  std::unordered_map<void*, std::unique_ptr<std::u16string>> Strings;
};

// The resource the size call of this thread read: the data call right after copies it without inflating again,
// and copies exactly the counted bytes even when a package is mounted or another thread reads in between.
struct TPendingRead {
  bool Valid = false;
  std::u16string Path;
  std::vector<uint8_t> Bytes;
};
thread_local TPendingRead pendingRead;

TState& State() {
  static TState state;
  return state;
}

std::u16string_view Text(const TWebResChar* text) { return text ? std::u16string_view(text) : std::u16string_view(); }

std::filesystem::path FilePath(const TWebResChar* text) {
#if defined(_WIN32)
  return std::filesystem::path(std::wstring(Text(text).begin(), Text(text).end()));
#else
  return std::filesystem::path(Utf16ToUtf8(Text(text)));
#endif
}

std::u16string* StringOf(TState& state, void* handle) {
  const auto it = state.Strings.find(handle);
  return it == state.Strings.end() ? nullptr : it->second.get();
}

}  // namespace

void ResetWebRes() {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  state.Packages = TPackageRegistry();
  state.Strings.clear();
  pendingRead = TPendingRead();
}

}  // namespace qor::webres

using namespace qor::webres;

extern "C" int32_t QOR_WEBRES_CALL WebUIResourceRegister(const TWebResChar* packageFile) {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  return Text(packageFile).empty() ? 0 : state.Packages.Register(FilePath(packageFile)) ? 1 : 0;
}

extern "C" int32_t QOR_WEBRES_CALL WebUIResourceUnregister(const TWebResChar* packageFile) {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  return Text(packageFile).empty() ? 0 : state.Packages.Unregister(FilePath(packageFile)) ? 1 : 0;
}

extern "C" int32_t QOR_WEBRES_CALL WebUIResourceData(const TWebResChar* resourcePath, uint8_t* buffer, int32_t* size) {
  const std::u16string path(Text(resourcePath));
  TPendingRead& read = pendingRead;
  if (!buffer || !read.Valid || read.Path != path) {
    TState& state = State();
    std::lock_guard<std::mutex> guard(state.Lock);
    auto bytes = state.Packages.Read(qor::Utf16ToUtf8(path));
    read = TPendingRead{true, path, bytes ? std::move(*bytes) : std::vector<uint8_t>()};
  }
  const auto count = int32_t(read.Bytes.size());
  if (size) *size = count;
  if (buffer) {
    if (count > 0) std::memcpy(buffer, read.Bytes.data(), read.Bytes.size());
    read = TPendingRead();  // the copy is done; hold no memory between reads
  }
  return count;
}

extern "C" int32_t QOR_WEBRES_CALL WebUIResourceEnum(const TWebResChar* folderPath, void* folders, void* files) {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  const auto listing = state.Packages.List(qor::Utf16ToUtf8(Text(folderPath)));
  if (std::u16string* text = StringOf(state, folders))
    *text = listing ? qor::Utf8ToUtf16(JoinListing(listing->Folders)) : std::u16string();
  if (std::u16string* text = StringOf(state, files))
    *text = listing ? qor::Utf8ToUtf16(JoinListing(listing->Files)) : std::u16string();
  return listing ? 1 : 0;
}

extern "C" void* QOR_WEBRES_CALL QStringCreate() {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  auto text = std::make_unique<std::u16string>();
  void* handle = text.get();
  state.Strings.emplace(handle, std::move(text));
  return handle;
}

extern "C" const TWebResChar* QOR_WEBRES_CALL QStringGet(void* handle) {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  const std::u16string* text = StringOf(state, handle);
  return text ? text->c_str() : u"";
}

extern "C" void QOR_WEBRES_CALL QStringSet(void* handle, const TWebResChar* text) {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  if (std::u16string* target = StringOf(state, handle)) *target = std::u16string(Text(text));
}

extern "C" void QOR_WEBRES_CALL QStringClose(void* handle) {
  TState& state = State();
  std::lock_guard<std::mutex> guard(state.Lock);
  state.Strings.erase(handle);
}
