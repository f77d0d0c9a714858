// Line breaks of message-box prompts.
#include "platform/ui/message_text.h"

namespace tessary {

std::string messageBoxText(const std::string& prompt) {
    std::string text;
    text.reserve(prompt.size());
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        if (prompt[i] == '\r') {
            text += '\n';
            if (i + 1 < prompt.size() && prompt[i + 1] == '\n') ++i;  // CR LF is one break
        } else {
            text += prompt[i];
        }
    }
    return text;
}

}  // namespace tessary
