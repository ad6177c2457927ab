#include "base/user_messages.h"

#include "platform/message_box.h"

namespace tavrosk {

void show_error_message(std::u16string_view text) {
  platform::show_message_box(text, kMessageCaption, platform::kMbOk | platform::kMbIconError);
}

}  // namespace tavrosk
