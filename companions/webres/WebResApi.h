#pragma once
// The exports of webres.dll, undecorated through win/webres.def. All text is UTF-16 (wchar_t on Windows) and
// zero-terminated; resource paths look like ":/classic/images/bg.png" ('\' counts as '/'). All calls may come
// from any thread: one lock guards the packages and the string handles.
//
//   int32_t  WebUIResourceRegister(path)          1 when the package file was read and mounted under ":/" + its
//                                                 base name + "/", 0 when it is missing or no valid package
//   int32_t  WebUIResourceUnregister(path)        1 when a package mounted from that file was removed, else 0
//   int32_t  WebUIResourceData(path, buffer, size) with buffer null: reads the resource, stores its byte count
//                                                 in *size (0 when it is missing or unreadable) and returns it;
//                                                 with a buffer: copies exactly the bytes the same thread's size
//                                                 call for that path counted, even if packages changed since,
//                                                 and returns how many (without a size call first: reads now)
//   int32_t  WebUIResourceEnum(folder, folders, files)  fills the two string handles with the sub-folder names
//                                                 and the file names of the folder, each followed by "|", in the
//                                                 package's order; returns 1 when the folder exists, else 0 and
//                                                 both handles empty
//   void*    QStringCreate()                      a new, empty string handle
//   const wchar_t* QStringGet(handle)             the handle's text, valid until the handle is set or closed;
//                                                 an empty text for an unknown handle
//   void     QStringSet(handle, text)             replaces the handle's text (null means empty)
//   void     QStringClose(handle)                 frees the handle; unknown handles are ignored
//
// Calling convention: __stdcall (the single convention on x64).
#include <cstdint>

#if defined(_WIN32)
#define QOR_WEBRES_CALL __stdcall
#else
#define QOR_WEBRES_CALL
#endif

using TWebResChar = char16_t;

extern "C" {
int32_t QOR_WEBRES_CALL WebUIResourceRegister(const TWebResChar* packageFile);
int32_t QOR_WEBRES_CALL WebUIResourceUnregister(const TWebResChar* packageFile);
int32_t QOR_WEBRES_CALL WebUIResourceData(const TWebResChar* resourcePath, uint8_t* buffer, int32_t* size);
int32_t QOR_WEBRES_CALL WebUIResourceEnum(const TWebResChar* folderPath, void* folders, void* files);
void* QOR_WEBRES_CALL QStringCreate();
const TWebResChar* QOR_WEBRES_CALL QStringGet(void* handle);
void QOR_WEBRES_CALL QStringSet(void* handle, const TWebResChar* text);
void QOR_WEBRES_CALL QStringClose(void* handle);
}

namespace qor::webres {

// Unmounts every package and frees every string handle; tests start from a clean library with it.
void ResetWebRes();

}  // namespace qor::webres
