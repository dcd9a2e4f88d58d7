#include "params/runinputs.h"

#include "engine/numtext.h"

#include <vector>

namespace enkin {

namespace {

struct InputInfo {
    std::string_view name;
    std::string_view initial;
};

// The inhibitor starts absent ([I]0 0) and competitive: it binds the free enzyme only.
constexpr std::array<InputInfo, 13> kInfo{{
    {"kk1", "1.0"},
    {"kk2", "1.0"},
    {"kk3", "1.0"},
    {"E0", "1"},
    {"ES0", "0"},
    {"S0", "1"},
    {"P0", "0"},
    {"ttmax", "0.098"},
    {"I0", "0"},
    {"kk4", "1"},
    {"kk5", "1"},
    {"kk6", "0"},
    {"kk7", "1"},
}};

constexpr std::size_t kFirstInhibitorInput = 8;

std::size_t indexOf(RunInput input)
{
    return static_cast<std::size_t>(input);
}

} // namespace

std::string_view RunInputs::name(RunInput input)
{
    return kInfo[indexOf(input)].name;
}

std::string_view RunInputs::initialText(RunInput input)
{
    return kInfo[indexOf(input)].initial;
}

std::optional<RunInput> RunInputs::fromName(std::string_view name)
{
    for (std::size_t i = 0; i < kInfo.size(); ++i)
        if (kInfo[i].name == name)
            return static_cast<RunInput>(i);
    return std::nullopt;
}

std::string &RunInputs::slot(RunInput input)
{
    if (input == RunInput::ttmax)
        return m_ttmax;
    if (indexOf(input) >= kFirstInhibitorInput)
        return m_inhibitor[indexOf(input) - kFirstInhibitorInput];
    if (!m_dialog) {
        m_dialog.emplace();
        for (RunInput each : kDialogInputs)
            (*m_dialog)[indexOf(each)] = std::string(startText(each));
        for (RunInput each : kDialogInputs)
            notify(each, (*m_dialog)[indexOf(each)]);
    }
    return (*m_dialog)[indexOf(input)];
}

const std::string &RunInputs::get(RunInput input) const
{
    if (input == RunInput::ttmax)
        return m_ttmax;
    if (indexOf(input) >= kFirstInhibitorInput)
        return m_inhibitor[indexOf(input) - kFirstInhibitorInput];
    if (m_dialog)
        return (*m_dialog)[indexOf(input)];
    if (m_enzyme && indexOf(input) < m_enzyme->size())
        return (*m_enzyme)[indexOf(input)];
    // Absent dialog texts read as their initial texts; only a set creates them.
    static const std::array<std::string, 7> initial = [] {
        std::array<std::string, 7> texts;
        for (RunInput each : kDialogInputs)
            texts[indexOf(each)] = std::string(initialText(each));
        return texts;
    }();
    return initial[indexOf(input)];
}

void RunInputs::set(RunInput input, std::string text)
{
    std::string &s = slot(input);
    if (s == text)
        return;
    s = std::move(text);
    notify(input, s);
}

double RunInputs::number(RunInput input) const
{
    return parseLeadingNumber(get(input));
}

void RunInputs::resetDialogTexts()
{
    m_dialog.reset();
}

void RunInputs::setEnzyme(std::string k1, std::string k2, std::string kminus1)
{
    m_enzyme = std::array<std::string, 3>{std::move(k1), std::move(k2), std::move(kminus1)};
}

std::string_view RunInputs::startText(RunInput input) const
{
    if (m_enzyme && indexOf(input) < m_enzyme->size())
        return (*m_enzyme)[indexOf(input)];
    return initialText(input);
}

RunInputs::ListenerId RunInputs::subscribe(Listener listener)
{
    const ListenerId id = m_nextId++;
    m_listeners.emplace(id, std::move(listener));
    return id;
}

void RunInputs::unsubscribe(ListenerId id)
{
    m_listeners.erase(id);
}

void RunInputs::notify(RunInput input, const std::string &text)
{
    // A listener may unsubscribe itself or others while being notified; work on a snapshot of ids.
    std::vector<ListenerId> ids;
    ids.reserve(m_listeners.size());
    for (const auto &entry : m_listeners)
        ids.push_back(entry.first);
    for (ListenerId id : ids) {
        const auto it = m_listeners.find(id);
        if (it != m_listeners.end())
            it->second(input, text);
    }
}

} // namespace enkin
