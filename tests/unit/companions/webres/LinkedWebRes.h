#pragma once
// The package library's entry points as the resource layer calls them, taken from the library linked into the test
// program itself (on Windows the program resolves the same ones from webres.dll).
#include "CommonLib/RdControl/WebResCalls.h"
#include "companions/webres/WebResApi.h"

namespace qor::webres::testing {

inline TWebResCalls LinkedWebResCalls() {
  return {WebUIResourceRegister,
          WebUIResourceUnregister,
          WebUIResourceData,
          WebUIResourceEnum,
          QStringCreate,
          QStringGet,
          QStringSet,
          QStringClose};
}

}  // namespace qor::webres::testing
