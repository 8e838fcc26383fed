// A form's controls, each described once, in the order they are made: the
// windows in their tab order, the windowless ones in the order they are
// drawn, each with its slot, its place, its set-up and, windowless, the
// container whose layer draws it.
#pragma once

#include "control_layer.h"
#include "form.h"
#include "twips.h"
#include "windowless_control.h"

#include <windows.h>

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

// A control whose text the user edits.
template <typename Control>
concept EditableControl = requires(Control& control, const std::wstring& text) {
    { control.Text() } -> std::convertible_to<std::wstring>;
    control.SetText(text);
};

class ControlList {
public:
    // A control with a window: its set-up makes it at the place given, in
    // pixels of the form's resolution (a tab stop of no size has none).
    template <typename Control>
    void Add(std::optional<Control>& slot, TwipLayout place, std::function<void(const RECT&)> setUp)
    {
        Entry& entry = entries_.emplace_back(Entry{.place = place, .setUp = std::move(setUp), .kind = typeid(Control)});
        entry.slot = &slot;
        entry.destroy = [&slot] { slot.reset(); };
        entry.window = [&slot] { return slot ? slot->Handle() : HWND{}; };
        if constexpr (EditableControl<Control>) {
            entry.text = [&slot] { return slot ? std::optional<std::wstring>(slot->Text()) : std::nullopt; };
            entry.setText = [&slot](const std::wstring& text) {
                if (slot) slot->SetText(text);
            };
        }
    }
    // A windowless control drawn by a container's layer: its set-up gives
    // it what it shows, the list its bounds and its place in the layer.
    void Add(WindowlessControl& control, std::function<ControlLayer&()> container, TwipLayout place,
             std::function<void()> setUp = {})
    {
        entries_.push_back(Entry{.place = place,
                                 .setUp = [setUp = std::move(setUp)](const RECT&) {
                                     if (setUp) setUp();
                                 },
                                 .kind = typeid(void),
                                 .windowless = &control,
                                 .container = std::move(container)});
    }

    void MakeAll(const Form& form)
    {
        for (Entry& entry : entries_) {
            const RECT place = form.Pixels(entry.place);
            if (entry.windowless) entry.windowless->bounds = place;
            entry.setUp(place);
            if (!entry.windowless) continue;
            ControlLayer& layer = entry.container();
            layer.Add(*entry.windowless);
            if (std::ranges::find(layers_, &layer) == layers_.end()) layers_.push_back(&layer);
        }
    }

    // What a container holds goes before the container.
    void DestroyAll()
    {
        for (ControlLayer* layer : layers_) layer->RemoveAll();
        layers_.clear();
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
            if (entry->destroy) entry->destroy();
    }

    // The windows that take the focus by Tab, in the order made.
    std::vector<HWND> TabStops() const
    {
        std::vector<HWND> stops;
        for (const Entry& entry : entries_)
            if (const HWND window = entry.window ? entry.window() : nullptr;
                window && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP))
                stops.push_back(window);
        return stops;
    }

    // Every control of the kind that has been made, in the order made.
    template <typename Control>
    std::vector<Control*> Made() const
    {
        std::vector<Control*> made;
        for (const Entry& entry : entries_)
            if (entry.kind == typeid(Control))
                if (auto& slot = *static_cast<std::optional<Control>*>(entry.slot); slot) made.push_back(&*slot);
        return made;
    }

    // What a new layout keeps: the text of every editable control, and the
    // focused control by its place among the tab stops.
    struct Kept {
        std::vector<std::pair<std::size_t, std::wstring>> texts;
        std::optional<std::size_t> focusedStop;
    };
    Kept Keep(HWND focus) const
    {
        Kept kept;
        for (std::size_t i = 0; i < entries_.size(); ++i)
            if (auto text = entries_[i].text ? entries_[i].text() : std::nullopt) kept.texts.emplace_back(i, *text);
        const std::vector<HWND> stops = TabStops();
        for (std::size_t i = 0; i < stops.size(); ++i)
            if (focus && (focus == stops[i] || IsChild(stops[i], focus))) kept.focusedStop = i;
        return kept;
    }
    // The kept texts into the controls made again; the stop that had the
    // focus, where it can take it, is given it.
    void Restore(const Kept& kept, const std::function<void(HWND)>& giveFocus) const
    {
        for (const auto& [index, text] : kept.texts) entries_[index].setText(text);
        const std::vector<HWND> stops = TabStops();
        if (kept.focusedStop && *kept.focusedStop < stops.size() && IsWindowEnabled(stops[*kept.focusedStop]))
            giveFocus(stops[*kept.focusedStop]);
    }

private:
    // What the list does with one control; a windowless one has no slot to
    // empty, no window and no text of its own.
    struct Entry {
        TwipLayout place;
        std::function<void(const RECT&)> setUp;
        std::type_index kind;
        void* slot = nullptr;
        WindowlessControl* windowless = nullptr;
        std::function<ControlLayer&()> container{};
        std::function<void()> destroy{};
        std::function<HWND()> window{};
        std::function<std::optional<std::wstring>()> text{};
        std::function<void(const std::wstring&)> setText{};
    };

    std::vector<Entry> entries_;
    // The layers the windowless controls were added to.
    std::vector<ControlLayer*> layers_;
};
