// The texts that define a run: the seven fields of the Initial Parameters dialog, the main
// window's Maximum Time and the inhibitor's five ([I]0 and its four rate constants). They are the
// only store of a run's inputs; every reader parses them afresh.
//
// The seven dialog texts exist as a group. They come into existence, with their initial texts,
// on the first set after start-up or after resetDialogTexts(), which the dialog calls when its
// window is discarded; until then they read as their initial texts. The Maximum Time and the
// inhibitor's texts exist for the life of the store; with [I]0 at 0, its initial text, there is
// no inhibitor.
//
// Windows bind to the store by subscribing: a listener hears every change of a text, so a field
// shows what code writes into the store at once. set() runs nothing but the listeners.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace enkin {

// kk4..kk7 are the inhibitor's k3, k-3, k4 and k-4, numbered on from kk1..kk3 (k1, k2, k-1).
enum class RunInput { kk1, kk2, kk3, E0, ES0, S0, P0, ttmax, I0, kk4, kk5, kk6, kk7 };

inline constexpr std::array<RunInput, 7> kDialogInputs{RunInput::kk1, RunInput::kk2, RunInput::kk3,
                                                       RunInput::E0,  RunInput::ES0, RunInput::S0,
                                                       RunInput::P0};
inline constexpr std::array<RunInput, 5> kInhibitorInputs{
    RunInput::I0, RunInput::kk4, RunInput::kk5, RunInput::kk6, RunInput::kk7};

class RunInputs {
public:
    using Listener = std::function<void(RunInput, const std::string &)>;
    using ListenerId = int;

    // The control name of a run input ("kk1", ..., "ttmax") and the text it starts with.
    static std::string_view name(RunInput input);
    static std::string_view initialText(RunInput input);
    static std::optional<RunInput> fromName(std::string_view name);

    const std::string &get(RunInput input) const;
    void set(RunInput input, std::string text);
    // The leading-number parse of get(input).
    double number(RunInput input) const;

    // Discards the seven dialog texts; the next access recreates them with their start texts.
    void resetDialogTexts();

    // An assignment's hidden enzyme: texts of k1, k2 and k-1 that the dialog texts start from in
    // place of the initial texts, and that Default writes back. Set before the first access.
    void setEnzyme(std::string k1, std::string k2, std::string kminus1);
    bool hasEnzyme() const { return m_enzyme.has_value(); }
    // The text a dialog input starts from: the enzyme's for the rate constants, if there is one,
    // else the initial text.
    std::string_view startText(RunInput input) const;
    bool dialogTextsPresent() const { return m_dialog.has_value(); }

    // An assignment's hidden inhibitor: its four rate constants' texts are set once and are not
    // to be shown; the student chooses [I]0 only.
    void hideInhibitor() { m_inhibitorHidden = true; }
    bool inhibitorHidden() const { return m_inhibitorHidden; }

    ListenerId subscribe(Listener listener);
    void unsubscribe(ListenerId id);

private:
    std::string &slot(RunInput input);
    void notify(RunInput input, const std::string &text);

    std::optional<std::array<std::string, 7>> m_dialog;
    std::optional<std::array<std::string, 3>> m_enzyme; // kk1, kk2, kk3
    bool m_inhibitorHidden = false;
    std::string m_ttmax{initialText(RunInput::ttmax)};
    std::array<std::string, 5> m_inhibitor{
        std::string(initialText(RunInput::I0)), std::string(initialText(RunInput::kk4)),
        std::string(initialText(RunInput::kk5)), std::string(initialText(RunInput::kk6)),
        std::string(initialText(RunInput::kk7))};
    std::map<ListenerId, Listener> m_listeners;
    ListenerId m_nextId = 1;
};

} // namespace enkin
