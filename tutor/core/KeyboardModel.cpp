#include "tutor/core/KeyboardModel.h"

#include <algorithm>

namespace {

constexpr int kTwipsPerPixel = 15;
constexpr int kImageTwips = 32 * kTwipsPerPixel;
// The finger images overhang their keys by 4 pixels to the right and down on the normal layout.
constexpr int kImageOverhang = 4 * kTwipsPerPixel;

Colour shifted(Colour base, int delta) {
    const auto limit = [delta](int v) { return std::clamp(v + delta, 0, 255); };
    return {limit(base.red), limit(base.green), limit(base.blue)};
}

} // namespace

Colour DarkBevelOf(Colour base) {
    return shifted(base, -50);
}
Colour LightBevelOf(Colour base) {
    return shifted(base, 50);
}

KeyboardModel::KeyboardModel(bool largeLayout) : m_bevelWidth(largeLayout ? 4 : 3) {
    m_colour.fill(kPlainKeyColour);
    m_frameRect[0] = KeyRect(0);
    m_frameRect[1] = KeyRect(KeyTable::kLeftShiftKey);
    m_frameRect[2] = KeyRect(KeyTable::kEnterUpperKey);
    m_frameRect[3] = KeyRect(KeyTable::kEnterKey);
    // Until the first colouring the upper bump lines are white, the lower grey.
    m_bump = {Colour{128, 128, 128}, Colour{255, 255, 255}, Colour{128, 128, 128},
              Colour{255, 255, 255}};
}

void KeyboardModel::LoadOptions(bool highlight, bool keyMap, KeySplit split) {
    m_highlight = highlight;
    m_split = split;
    m_keyMap = keyMap;
    if (keyMap)
        ColorTasti();
}

void KeyboardModel::DrawKeyBevel(int key, bool raised) {
    setSunken(key, !raised);
}

void KeyboardModel::RedrawAllKeysRaised() {
    for (int key = 0; key < KeyTable::kKeyCount; ++key)
        setSunken(key, false);
}

void KeyboardModel::ColorTasti() {
    for (int key = 0; key < KeyTable::kKeyCount; ++key) {
        setColour(key, FingerColour(FingerOf(static_cast<std::int16_t>(key), m_split)));
        setSunken(key, false);
    }
    const Colour index = FingerColour(FingerGroup::Index);
    SetFingerBumpColour(index, 0);
    SetFingerBumpColour(index, 2);
    if (!m_strip)
        ShowFingerImages(true);
}

void KeyboardModel::SetFingerBumpColour(Colour base, int first) {
    for (const auto& [line, colour] :
         {std::pair{first + 1, LightBevelOf(base)}, std::pair{first, DarkBevelOf(base)}}) {
        if (line < 0 || line >= kBumpCount || m_bump[static_cast<size_t>(line)] == colour)
            continue;
        m_bump[static_cast<size_t>(line)] = colour;
        changed(BumpRect(line));
    }
}

void KeyboardModel::ShowFingerImages(bool visible) {
    if (m_fingerImages == visible)
        return;
    m_fingerImages = visible;
    for (int image = 0; image < kFingerImageCount; ++image)
        changed(FingerImageRect(image));
}

void KeyboardModel::ClearHighlightFrames() {
    for (int frame = 0; frame < kFrameCount; ++frame)
        setFrame(frame, false);
}

void KeyboardModel::HighlightNextKey(char character) {
    if (m_highlight)
        ClearHighlightFrames();
    const auto entryIndex = FindKeyEntry(character);
    if (!entryIndex) {
        // No key is to be pressed for this character, so none is shown down.
        RedrawAllKeysRaised();
        m_extraHighlight = false;
        return;
    }
    const KeyEntry& entry = KeyTable::Entry(*entryIndex);

    if (m_extraHighlight) {
        RedrawAllKeysRaised();
        m_extraHighlight = false;
    } else {
        setSunken(m_highlightedKey, false);
        setSunken(KeyTable::kLeftShiftKey, false);
        setSunken(KeyTable::kRightShiftKey, false);
    }

    const auto frameOnKey = [this](int frame, int key) {
        const TwipsRect keyRect = KeyRect(key);
        TwipsRect& r = m_frameRect[static_cast<size_t>(frame)];
        if (m_frameVisible[static_cast<size_t>(frame)])
            changed(r);
        // The frame takes the key's height too, so that on the taller lower
        // part of Enter it does not draw its edge across the key.
        r = keyRect;
        m_frameVisible[static_cast<size_t>(frame)] = false;
        setFrame(frame, true);
    };

    if (m_highlight)
        frameOnKey(0, entry.KeyNumber);
    setSunken(entry.KeyNumber, true);
    if (entry.KeyNumber == KeyTable::kEnterKey) {
        if (m_highlight) {
            setFrame(2, true);
            setFrame(3, true);
        }
        setSunken(KeyTable::kEnterUpperKey, true);
        m_extraHighlight = true;
    }
    const std::int16_t modifierKey = KeyTable::ModifierKey(entry.Modifier);
    if (modifierKey >= 0) {
        if (m_highlight)
            frameOnKey(1, modifierKey);
        setSunken(modifierKey, true);
        if (entry.Modifier == KeyModifier::AltGr)
            m_extraHighlight = true;
    }
    m_highlightedKey = entry.KeyNumber;
}

void KeyboardModel::SetKeyMap(bool on, std::optional<char> current) {
    m_keyMap = on;
    if (on) {
        ColorTasti();
    } else {
        for (int key = 0; key < KeyTable::kKeyCount; ++key) {
            setColour(key, kPlainKeyColour);
            setSunken(key, false);
        }
        SetFingerBumpColour(kPlainKeyColour, 0);
        SetFingerBumpColour(kPlainKeyColour, 2);
        ShowFingerImages(false);
        setStrip(false);
    }
    m_extraHighlight = false;
    if (current)
        HighlightNextKey(*current);
    if (!m_sentenceRunning)
        sinkEnterPrompt();
}

void KeyboardModel::SetHighlight(bool on, std::optional<char> current) {
    m_highlight = on;
    if (!on)
        ClearHighlightFrames();
    else if (current)
        HighlightNextKey(*current);
}

bool KeyboardModel::KeyDoubleClicked(int key, std::optional<char> current) {
    if (key != KeyTable::kBKey || !m_keyMap)
        return false;
    m_split = m_split == KeySplit::Classic ? KeySplit::Ergonomic : KeySplit::Classic;
    ColorTasti();
    m_extraHighlight = false;
    if (current)
        HighlightNextKey(*current);
    if (!m_sentenceRunning)
        sinkEnterPrompt();
    return true;
}

void KeyboardModel::StripDoubleClicked() {
    setStrip(false);
    ShowFingerImages(true);
}

void KeyboardModel::FingerImageDoubleClicked(std::optional<char> current) {
    ShowFingerImages(false);
    setStrip(true);
    if (current)
        HighlightNextKey(*current);
}

void KeyboardModel::FlashBotton() {
    m_sentenceRunning = false;
    setEnterBold(true);
    sinkEnterPrompt();
    setPromptTimer(true);
}

void KeyboardModel::MarkSentenceRunning() {
    m_sentenceRunning = true;
}

void KeyboardModel::PromptTick() {
    if (!m_promptTimer)
        return;
    if (!m_sentenceRunning) {
        setPromptImage(!m_promptImage);
        return;
    }
    setPromptTimer(false);
    setEnterBold(false);
    setPromptImage(false);
}

TwipsRect KeyboardModel::KeyRect(int key) {
    const KeyInfo& k = KeyTable::Key(static_cast<std::int16_t>(key));
    return {k.left, k.top, k.width, k.height};
}

TwipsRect KeyboardModel::BumpRect(int line) {
    const int left = line < 2 ? 2850 : 4590;
    const int top = line % 2 == 1 ? 1755 : 1770;
    return {left, top, 225, kTwipsPerPixel};
}

TwipsRect KeyboardModel::MaskRect(int mask) {
    return mask == 0 ? TwipsRect{8025, 1080, 795, 225} : TwipsRect{7920, 975, 120, 225};
}

TwipsRect KeyboardModel::FingerImageRect(int image, bool enlarged) {
    if (image < static_cast<int>(KeyTable::kHomeKeys.size())) {
        const TwipsRect key = KeyRect(KeyTable::kHomeKeys[static_cast<size_t>(image)]);
        const int overhang = enlarged ? 0 : kImageOverhang;
        return {key.left + key.width - kImageTwips + overhang,
                key.top + key.height - kImageTwips + overhang, kImageTwips, kImageTwips};
    }
    const TwipsRect space = KeyRect(KeyTable::kSpaceKey);
    const int top = space.top + space.height - kImageTwips;
    const int left = image == 8 ? space.left : space.left + space.width - kImageTwips;
    return {left, top, kImageTwips, kImageTwips};
}

TwipsRect KeyboardModel::PromptImageRect() {
    return {8160, 1080, 480, 480};
}

TwipsRect KeyboardModel::KeyAreaWithBevel(int key) const {
    const int ring = (m_bevelWidth + 1) * kTwipsPerPixel;
    const TwipsRect k = KeyRect(key);
    return {k.left - ring, k.top - ring, k.width + 2 * ring, k.height + 2 * ring};
}

void KeyboardModel::setSunken(int key, bool sunken) {
    if (key < 0 || key >= KeyTable::kKeyCount || m_sunken[static_cast<size_t>(key)] == sunken)
        return;
    m_sunken[static_cast<size_t>(key)] = sunken;
    changed(KeyAreaWithBevel(key));
}

void KeyboardModel::setColour(int key, Colour colour) {
    if (m_colour[static_cast<size_t>(key)] == colour)
        return;
    m_colour[static_cast<size_t>(key)] = colour;
    changed(KeyAreaWithBevel(key));
    if (key == KeyTable::kEnterKey || key == KeyTable::kEnterUpperKey) {
        changed(MaskRect(0));
        changed(MaskRect(1));
    }
}

void KeyboardModel::setFrame(int frame, bool visible) {
    if (m_frameVisible[static_cast<size_t>(frame)] == visible)
        return;
    m_frameVisible[static_cast<size_t>(frame)] = visible;
    changed(m_frameRect[static_cast<size_t>(frame)]);
}

void KeyboardModel::setStrip(bool visible) {
    if (m_strip == visible)
        return;
    m_strip = visible;
    m_changes.strip = !m_changes.strip;
}

void KeyboardModel::setPromptTimer(bool running) {
    if (m_promptTimer == running)
        return;
    m_promptTimer = running;
    m_changes.promptTimer = !m_changes.promptTimer;
}

void KeyboardModel::setPromptImage(bool visible) {
    if (m_promptImage == visible)
        return;
    m_promptImage = visible;
    changed(PromptImageRect());
}

void KeyboardModel::setEnterBold(bool bold) {
    if (m_enterBold == bold)
        return;
    m_enterBold = bold;
    changed(KeyRect(KeyTable::kEnterUpperKey));
}

void KeyboardModel::changed(const TwipsRect& area) {
    m_changes.areas.push_back(area);
}

void KeyboardModel::TakeChanges(KeyboardChanges& into) {
    into.areas.insert(into.areas.end(), m_changes.areas.begin(), m_changes.areas.end());
    // Shown and hidden again within one operation is no change.
    into.strip = into.strip != m_changes.strip;
    into.promptTimer = into.promptTimer != m_changes.promptTimer;
    m_changes.Clear();
}

void KeyboardModel::sinkEnterPrompt() {
    setSunken(KeyTable::kEnterKey, true);
    setSunken(KeyTable::kEnterUpperKey, true);
}
