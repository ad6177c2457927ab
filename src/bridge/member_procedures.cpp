#include "bridge/member_procedures.h"

#include "relay/reply_conversions.h"

namespace tavrosk {

VbBool split_reply_into(std::u16string_view reply, Text& out) {
  if (reply.empty()) return kFalse;
  std::vector<Text> elements = split_reply(reply);
  out = reply_element(elements, 1);
  return reply_as_boolean(elements[0]);
}

}  // namespace tavrosk
