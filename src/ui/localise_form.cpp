#include "ui/localise_form.h"

#include <cmath>
#include <cstdlib>

namespace orvanta {

bool IsNumericText(const std::string& text) {
    const char* start = text.c_str();
    while (*start == ' ') ++start;
    if (*start == '\0') return false;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    while (end && *end == ' ') ++end;
    return end != start && *end == '\0' && std::isfinite(value);
}

void LocaliseForm(FormTexts& form, const GuiStrings& strings) {
    const std::string charSet = GetGuiString(strings, "CharSet");
    if (IsNumericText(form.tag)) form.caption = TextOfKey(strings, form.tag);
    for (ControlTexts& control : form.controls) {
        switch (control.kind) {
            case ControlTexts::Kind::Menu:
                // Separators hold "-", which is not numeric, and stay as they are.
                if (IsNumericText(control.caption)) control.caption = TextOfKey(strings, control.caption);
                break;
            case ControlTexts::Kind::Toolbar:
                control.buttonToolTips.resize(control.buttonTags.size());
                for (size_t i = 0; i < control.buttonTags.size(); ++i)
                    if (IsNumericText(control.buttonTags[i]))
                        control.buttonToolTips[i] = TextOfKey(strings, control.buttonTags[i]);
                break;
            case ControlTexts::Kind::Other:
                if (IsNumericText(control.tag)) {
                    control.charSet = charSet;
                    control.caption = TextOfKey(strings, control.tag);
                }
                if (IsNumericText(control.toolTip)) control.toolTip = TextOfKey(strings, control.toolTip);
                break;
        }
    }
}

}  // namespace orvanta
