#include "host/qt/curl_library.h"

#include <dlfcn.h>

namespace quarvel {
namespace {

template <typename F>
bool Resolve(void* library, const char* name, F& function) {
  function = reinterpret_cast<F>(dlsym(library, name));
  return function != nullptr;
}

const CurlLibrary* Load() {
  void* library = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
  if (!library) return nullptr;
  static CurlLibrary curl;
  const bool complete = Resolve(library, "curl_global_init", curl.global_init) &&
                        Resolve(library, "curl_easy_init", curl.easy_init) &&
                        Resolve(library, "curl_easy_setopt", curl.easy_setopt) &&
                        Resolve(library, "curl_easy_perform", curl.easy_perform) &&
                        Resolve(library, "curl_easy_cleanup", curl.easy_cleanup) &&
                        Resolve(library, "curl_easy_strerror", curl.easy_strerror) &&
                        Resolve(library, "curl_slist_append", curl.slist_append) &&
                        Resolve(library, "curl_slist_free_all", curl.slist_free_all) &&
                        Resolve(library, "curl_mime_init", curl.mime_init) &&
                        Resolve(library, "curl_mime_addpart", curl.mime_addpart) &&
                        Resolve(library, "curl_mime_data", curl.mime_data) &&
                        Resolve(library, "curl_mime_filedata", curl.mime_filedata) &&
                        Resolve(library, "curl_mime_filename", curl.mime_filename) &&
                        Resolve(library, "curl_mime_type", curl.mime_type) &&
                        Resolve(library, "curl_mime_encoder", curl.mime_encoder) &&
                        Resolve(library, "curl_mime_free", curl.mime_free);
  if (!complete || curl.global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) return nullptr;
  return &curl;
}

}  // namespace

const CurlLibrary* Curl() {
  static const CurlLibrary* const curl = Load();  // initialised once, whichever thread comes first
  return curl;
}

}  // namespace quarvel
