// The version reply: whether it lets a submission go ahead, and the one-time
// value the game keeps from it for the record it sends next.
#pragma once

#include <string>
#include <string_view>

namespace protocol {

// A version reply counts only when it begins with exactly "OK".
bool IsOkReply(std::string_view reply);

// Five cuts at "|": each takes the part before the first "|" as the kept value
// and continues after it; with no "|" left the kept value is empty and the
// reply stays. So: the fifth field if a "|" follows it, else "".
std::string KeptValue(std::string_view reply);

}  // namespace protocol
