// A form's controls, each described once, in the order they are made: the
// windows in their tab order, the windowless ones in the order they are
// drawn. Each entry is the control's slot, its place and its set-up; a
// windowless one names the container whose layer draws it as well. The list
// makes and destroys them, finds their tab stops and those of one kind, and
// carries what the user typed across a new layout.
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
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

// A control whose text the user edits.
template <typename Control>
concept EditableControl = requires(Control& control, const std::wstring& text) {
    { control.Text() } -> std::convertible_to<std::wstring>;
    control.SetText(text);
};

// A visitor of a list's slots: one handler for the windowed kinds, one for
// the windowless.
template <typename... Handlers>
struct Windows : Handlers... {
    using Handlers::operator()...;
};
template <typename... Handlers>
Windows(Handlers...) -> Windows<Handlers...>;

// Windowed: every kind of control with a window the form holds.
template <typename... Windowed>
class ControlList {
public:
    // A control with a window: its set-up makes it at the place given, in
    // pixels of the form's resolution (a tab stop of no size has none).
    template <typename Control>
    void Add(std::optional<Control>& slot, TwipLayout place, std::function<void(const RECT&)> setUp)
    {
        entries_.push_back({&slot, nullptr, place, std::move(setUp)});
    }
    // A windowless control drawn by a container's layer: its set-up gives
    // it what it shows, the list its bounds and its place in the layer.
    void Add(WindowlessControl& control, std::function<ControlLayer&()> container, TwipLayout place,
             std::function<void()> setUp = {})
    {
        entries_.push_back({&control, std::move(container), place, [setUp = std::move(setUp)](const RECT&) {
                                if (setUp) setUp();
                            }});
    }

    void MakeAll(const Form& form)
    {
        for (Entry& entry : entries_) {
            const RECT place = form.Pixels(entry.place);
            if (auto* const* windowless = std::get_if<WindowlessControl*>(&entry.control)) {
                (*windowless)->bounds = place;
                entry.setUp(place);
                ControlLayer& layer = entry.container();
                layer.Add(**windowless);
                if (std::find(layers_.begin(), layers_.end(), &layer) == layers_.end()) layers_.push_back(&layer);
            } else {
                entry.setUp(place);
            }
        }
    }

    // What a container holds goes before the container.
    void DestroyAll()
    {
        for (ControlLayer* layer : layers_) layer->RemoveAll();
        layers_.clear();
        for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry)
            std::visit(Windows{[](auto* slot) { slot->reset(); }, [](WindowlessControl*) {}}, entry->control);
    }

    // The windows that take the focus by Tab, in the order made.
    std::vector<HWND> TabStops() const
    {
        std::vector<HWND> stops;
        for (const Entry& entry : entries_)
            if (const HWND window = WindowOf(entry); window && (GetWindowLongW(window, GWL_STYLE) & WS_TABSTOP))
                stops.push_back(window);
        return stops;
    }

    // Every control of the kind that has been made, in the order made.
    template <typename Control>
    std::vector<Control*> Made() const
    {
        std::vector<Control*> made;
        for (const Entry& entry : entries_)
            if (auto* const* slot = std::get_if<std::optional<Control>*>(&entry.control))
                if (**slot) made.push_back(&***slot);
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
            WithEditable(i, [&](auto& control) { kept.texts.emplace_back(i, control.Text()); });
        const std::vector<HWND> stops = TabStops();
        for (std::size_t i = 0; i < stops.size(); ++i)
            if (focus && (focus == stops[i] || IsChild(stops[i], focus))) kept.focusedStop = i;
        return kept;
    }
    // The kept texts into the controls made again; the stop that had the
    // focus, where it can take it, is given it.
    void Restore(const Kept& kept, const std::function<void(HWND)>& giveFocus) const
    {
        for (const auto& [index, text] : kept.texts) WithEditable(index, [&](auto& control) { control.SetText(text); });
        const std::vector<HWND> stops = TabStops();
        if (kept.focusedStop && *kept.focusedStop < stops.size() && IsWindowEnabled(stops[*kept.focusedStop]))
            giveFocus(stops[*kept.focusedStop]);
    }

private:
    using Slot = std::variant<std::optional<Windowed>*..., WindowlessControl*>;
    struct Entry {
        Slot control;
        std::function<ControlLayer&()> container;
        TwipLayout place;
        std::function<void(const RECT&)> setUp;
    };
    // Runs the action on the entry's control if it is made and editable.
    template <typename Action>
    void WithEditable(std::size_t index, Action action) const
    {
        std::visit(Windows{[&](auto* slot) {
                               if constexpr (EditableControl<std::remove_reference_t<decltype(**slot)>>)
                                   if (*slot) action(**slot);
                           },
                           [](WindowlessControl*) {}},
                   entries_[index].control);
    }

    static HWND WindowOf(const Entry& entry)
    {
        return std::visit(Windows{[](auto* slot) -> HWND { return *slot ? (*slot)->Handle() : nullptr; },
                                  [](WindowlessControl*) -> HWND { return nullptr; }},
                          entry.control);
    }

    std::vector<Entry> entries_;
    // The layers the windowless controls were added to.
    std::vector<ControlLayer*> layers_;
};
