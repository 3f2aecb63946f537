#pragma once
// Addresses of the program's maker. They stand in one place so that a release can set them.

namespace quarvel {

// The maker's contact address, named in help texts and messages.
inline constexpr const char* kMakerContactAddress = "author@quarvel.example";

}  // namespace quarvel
