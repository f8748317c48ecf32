#include "common/ui/KeyboardLayout.h"

#include "common/ui/PlatformX11.h"

#include <sstream>
#include <utility>
#include <vector>

bool KeyboardLayoutSwitcher::ActivateLayout(const std::string& wanted) {
    if (m_port.ActiveLayoutName() == wanted)
        return true;
    m_previousLayoutName = m_port.ActiveLayoutName();
    m_port.LoadLayout(wanted);
    if (m_port.ActiveLayoutName() == wanted)
        return true;
    m_port.LoadLayout(m_previousLayoutName);
    m_previousLayoutName.clear();
    return false;
}

void KeyboardLayoutSwitcher::RestorePreviousLayout() {
    if (m_previousLayoutName.empty())
        return;
    ActivateLayout(std::exchange(m_previousLayoutName, std::string()));
    m_previousLayoutName.clear();
}

namespace {

constexpr std::string_view italianXkbLayout = "it";
constexpr std::string_view configurationPrefix = "xkb:";
constexpr char fieldSeparator = ';';

std::vector<std::string> split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(s);
    while (std::getline(in, part, separator))
        parts.push_back(part);
    if (!s.empty() && s.back() == separator)
        parts.emplace_back();
    return parts;
}

int groupOf(const x11::XkbConfiguration& c, std::string_view layout) {
    const auto layouts = split(c.layout, ',');
    for (size_t i = 0; i < layouts.size(); ++i) {
        if (layouts[i] == layout)
            return static_cast<int>(i);
    }
    return -1;
}

std::string activeLayoutOf(const x11::XkbConfiguration& c) {
    const auto layouts = split(c.layout, ',');
    if (c.group >= 0 && static_cast<size_t>(c.group) < layouts.size())
        return layouts[static_cast<size_t>(c.group)];
    return layouts.empty() ? std::string() : layouts.front();
}

std::string encode(const x11::XkbConfiguration& c) {
    std::ostringstream out;
    out << configurationPrefix << c.rules << fieldSeparator << c.model << fieldSeparator << c.layout
        << fieldSeparator << c.variant << fieldSeparator << c.options << fieldSeparator << c.group;
    return out.str();
}

bool decode(const std::string& name, x11::XkbConfiguration& c) {
    if (name.rfind(configurationPrefix, 0) != 0)
        return false;
    const auto fields = split(name.substr(configurationPrefix.size()), fieldSeparator);
    if (fields.size() != 6 || fields[5].empty() ||
        fields[5].find_first_not_of("0123") != std::string::npos || fields[5].size() != 1)
        return false;
    c = {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5][0] - '0'};
    return !c.layout.empty();
}

bool sameKeymap(const x11::XkbConfiguration& a, const x11::XkbConfiguration& b) {
    return a.rules == b.rules && a.model == b.model && a.layout == b.layout &&
           a.variant == b.variant && a.options == b.options;
}

} // namespace

X11KeyboardLayout::X11KeyboardLayout(void* display)
    : m_display(display != nullptr ? display : x11::ApplicationDisplay()) {}

std::string X11KeyboardLayout::ActiveLayoutName() {
    x11::XkbConfiguration current;
    if (!x11::ReadXkbConfiguration(m_display, current))
        return {};
    if (activeLayoutOf(current) == italianXkbLayout)
        return std::string(kItalianLayoutName);
    return encode(current);
}

bool X11KeyboardLayout::LoadLayout(const std::string& name) {
    x11::XkbConfiguration current;
    if (!x11::ReadXkbConfiguration(m_display, current))
        return false;
    if (name == kItalianLayoutName) {
        // A user who already has Italian among the groups keeps the setup.
        const int group = groupOf(current, italianXkbLayout);
        if (group >= 0)
            return x11::LockXkbGroup(m_display, group);
        x11::XkbConfiguration italian = current;
        italian.layout = italianXkbLayout;
        italian.variant.clear();
        italian.group = 0;
        return x11::ApplyXkbConfiguration(m_display, italian);
    }
    x11::XkbConfiguration wanted;
    if (!decode(name, wanted))
        return false;
    if (sameKeymap(current, wanted))
        return x11::LockXkbGroup(m_display, wanted.group);
    return x11::ApplyXkbConfiguration(m_display, wanted);
}
