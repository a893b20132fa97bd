// Kelmora — how the model's face answers the page: every call that answers
// with text stores it here, and the page reads it with its length
// (kmReplyLength), NULs and all.  Valid until the next call.
#pragma once

#include <cstddef>
#include <string>

namespace kelmora::web {

const char* answer(std::string s);
// The length in bytes of what the last call answered.
std::size_t replyLength();

}  // namespace kelmora::web
