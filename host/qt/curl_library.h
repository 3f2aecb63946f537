#pragma once
// libcurl, loaded the first time the program fetches a page or sends mail. Linking it outright
// would load its whole tree of TLS and directory libraries at every start (several megabytes)
// for operations that most runs never reach.
#include <curl/curl.h>

namespace quarvel {

struct CurlLibrary {
  decltype(&curl_global_init) global_init;
  decltype(&curl_easy_init) easy_init;
  decltype(&curl_easy_setopt) easy_setopt;
  decltype(&curl_easy_perform) easy_perform;
  decltype(&curl_easy_cleanup) easy_cleanup;
  decltype(&curl_easy_strerror) easy_strerror;
  decltype(&curl_slist_append) slist_append;
  decltype(&curl_slist_free_all) slist_free_all;
  decltype(&curl_mime_init) mime_init;
  decltype(&curl_mime_addpart) mime_addpart;
  decltype(&curl_mime_data) mime_data;
  decltype(&curl_mime_filedata) mime_filedata;
  decltype(&curl_mime_filename) mime_filename;
  decltype(&curl_mime_type) mime_type;
  decltype(&curl_mime_encoder) mime_encoder;
  decltype(&curl_mime_free) mime_free;
};

// The loaded library, or nullptr when libcurl is not installed. Safe from any thread.
const CurlLibrary* Curl();

}  // namespace quarvel
