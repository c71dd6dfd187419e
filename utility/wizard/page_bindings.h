#pragma once
// How the keys of the settings meet the controls of a set-up page. A page's descriptor
// row lists one binding per key it owns: the key, the setting it stands for and the
// member (or members) of the page's Values that show it, in one of the kinds below.
// The kinds are the kinds of control the pages have: a text box, radios or a list of
// fixed entries, the rate list, a check box, a level chosen from a list, a level typed
// with decimals, a count behind a tick box, the scaling, the safety agreement and the
// start. BoundPage puts a page's load() and next() together with its bindings: the
// rules of every page as velmora-cli drives them (page_rules.h).
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>

#include "alarm_level_list.h"
#include "connected_logger.h"
#include "finish_rules.h"
#include "numeric_entry.h"
#include "page_rules.h"
#include "sample_rate_choice.h"
#include "setting_values.h"
#include "wizard_core.h"

namespace velmora {

template <typename V> struct Binding {
    std::string_view key;
    // Words of the key's own for its messages: the alarm a count needs ("the high
    // alarm"), or a refusal with {} where the logger's model goes.
    std::string_view words;
    // The setting as the page's Values show it.
    void (*read)(const Binding& self, WizardCore& core, const V& shown, LoggerSettings& settings) = nullptr;
    // The setting in place of what the Values show; false, with `problem`, for a value
    // the page's control cannot show.
    bool (*take)(const Binding& self, WizardCore& core, V& values, const LoggerSettings& settings,
                 std::string& problem) = nullptr;
    // After "Next >" stayed: what the page made of the value, when it is not what was
    // given; empty otherwise.
    std::string (*stayed)(const Binding& self, const V& given, const V& shown) = nullptr;
    // Why the type's set-up cannot take the setting at all; empty when it can.
    std::string (*refusal)(const Binding& self, const LoggerSettings& settings, LoggerType type,
                           const std::string& model) = nullptr;
    // Why the setting needed the page when the row did not show it; empty when it did not.
    std::string (*unshown)(const Binding& self, const LoggerSettings& settings) = nullptr;
};

namespace bind_detail {

template <typename T> struct Member;
template <typename C, typename M> struct Member<M C::*> {
    using Owner = C;
};

std::string withModel(std::string_view words, const std::string& model);
std::string joined(const std::string& a, const std::string& b);
// The refusal of a count for a box that cannot be ticked: "<key>: a count other than 0
// needs <needs> on."
std::string countNeeds(std::string_view key, std::string_view needs);
// The box's text for a scaling point: kept when it already shows the number, else the
// number as briefly as it can be typed.
bool takePoint(std::string& box, const std::optional<double>& value, const std::string& key, int decimals, int length,
               std::string& problem);

} // namespace bind_detail

// The Values a member pointer belongs to, and the type a setting holds.
template <auto M> using ValuesOf = typename bind_detail::Member<decltype(M)>::Owner;
template <auto S> using SettingOf =
    typename std::remove_cvref_t<decltype(std::declval<LoggerSettings&>().*S)>::value_type;

namespace bind {

// A setting held as it is in the page's member: the name's text box, a check box.
template <auto Setting, auto Box> constexpr Binding<ValuesOf<Box>> direct(std::string_view key)
{
    using V = ValuesOf<Box>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) { s.*Setting = v.*Box; };
    b.take = [](const Binding<V>&, WizardCore&, V& v, const LoggerSettings& s, std::string&) {
        v.*Box = (s.*Setting).value_or(v.*Box);
        return true;
    };
    return b;
}

// A text box: the name.
template <auto Setting, auto Box> constexpr Binding<ValuesOf<Box>> text(std::string_view key)
{
    return direct<Setting, Box>(key);
}

// Radios, or a list of fixed entries: the value the page's member holds for each word
// of the setting (an enum's words in order, or false and true). A member holding none
// of them reads as the first word.
template <auto Setting, auto Member, auto... Shown> constexpr Binding<ValuesOf<Member>> choice(std::string_view key)
{
    using V = ValuesOf<Member>;
    using Word = SettingOf<Setting>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        constexpr std::array shown{Shown...};
        std::size_t word = 0;
        while (word < shown.size() && shown[word] != v.*Member)
            ++word;
        s.*Setting = static_cast<Word>(word < shown.size() ? word : 0);
    };
    b.take = [](const Binding<V>&, WizardCore&, V& v, const LoggerSettings& s, std::string&) {
        constexpr std::array shown{Shown...};
        if (s.*Setting)
            v.*Member = shown[static_cast<std::size_t>(*(s.*Setting))];
        return true;
    };
    return b;
}

// The rate list: seconds as the entry of the type's list that stores them.
template <auto Setting, auto Entry> constexpr Binding<ValuesOf<Entry>> rateEntry(std::string_view key)
{
    using V = ValuesOf<Entry>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore& core, const V& v, LoggerSettings& s) {
        s.*Setting = rateSecondsAt(core.logger.type(), v.*Entry);
    };
    b.take = [](const Binding<V>& self, WizardCore& core, V& v, const LoggerSettings& s, std::string& problem) {
        if (!(s.*Setting))
            return true;
        const int entry = rateEntryFor(core.logger.type(), *(s.*Setting), self.key, problem);
        if (entry < 0)
            return false;
        v.*Entry = entry;
        return true;
    };
    return b;
}

// A rate the page does not show: the type's one rate, the only one a file may give.
template <typename V, auto Setting> constexpr Binding<V> fixedRate(std::string_view key)
{
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore& core, const V&, LoggerSettings& s) {
        s.*Setting = rateSecondsAt(core.logger.type(), 0);
    };
    b.take = [](const Binding<V>& self, WizardCore& core, V&, const LoggerSettings& s, std::string& problem) {
        return !(s.*Setting) || rateEntryFor(core.logger.type(), *(s.*Setting), self.key, problem) >= 0;
    };
    return b;
}

// A check box.
template <auto Setting, auto Box> constexpr Binding<ValuesOf<Box>> checkBox(std::string_view key)
{
    return direct<Setting, Box>(key);
}

// A check box the page offers only to the types `typeOffers` names (its Values say
// whether it is shown); the set-up of another type refuses the key with `refusal`.
template <auto Setting, auto Box, auto Offered, auto TypeOffers>
constexpr Binding<ValuesOf<Box>> offeredCheckBox(std::string_view key, std::string_view refusal)
{
    using V = ValuesOf<Box>;
    Binding<V> b{key, refusal};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        if (v.*Offered)
            s.*Setting = v.*Box;
    };
    b.take = [](const Binding<V>&, WizardCore&, V& v, const LoggerSettings& s, std::string&) {
        if (v.*Offered)
            v.*Box = (s.*Setting).value_or(v.*Box);
        return true;
    };
    b.refusal = [](const Binding<V>& self, const LoggerSettings& s, LoggerType type, const std::string& model) {
        return s.*Setting && !TypeOffers(type) ? bind_detail::withModel(self.words, model) : std::string();
    };
    return b;
}

// An alarm's switch and its level chosen from the page's list.
template <auto Setting, auto On, auto Entry, auto Levels>
constexpr Binding<ValuesOf<Entry>> listLevel(std::string_view key)
{
    using V = ValuesOf<Entry>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore& core, const V& v, LoggerSettings& s) {
        s.*Setting = v.*On ? AlarmSetting{true, Levels(core.logger).value(v.*Entry)} : AlarmSetting{};
    };
    b.take = [](const Binding<V>& self, WizardCore& core, V& v, const LoggerSettings& s, std::string& problem) {
        const std::optional<AlarmSetting>& alarm = s.*Setting;
        if (!alarm)
            return true;
        v.*On = alarm->on;
        if (v.*On)
            v.*Entry = levelEntryFor(Levels(core.logger), alarm->level, self.key, problem);
        return v.*Entry >= 0;
    };
    return b;
}

// An alarm's switch and its level typed into an edit box of at most `Length`
// characters, with the decimals the page's Values give; `Shown` writes a level as the
// box shows it.
template <auto Setting, auto On, auto Text, auto Decimals, int Length, auto Shown>
constexpr Binding<ValuesOf<Text>> typedLevel(std::string_view key)
{
    using V = ValuesOf<Text>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        s.*Setting = v.*On ? AlarmSetting{true, numericTextValue(v.*Text)} : AlarmSetting{};
    };
    b.take = [](const Binding<V>& self, WizardCore& core, V& v, const LoggerSettings& s, std::string& problem) {
        const std::optional<AlarmSetting>& alarm = s.*Setting;
        if (!alarm)
            return true;
        v.*On = alarm->on;
        if (!(v.*On))
            return true;
        const auto shown = [&core](double level) { return Shown(core.logger, level); };
        v.*Text = editText(alarm->level, v.*Decimals, Length, shown, self.key, problem);
        return !(v.*Text).empty();
    };
    b.stayed = [](const Binding<V>& self, const V& given, const V& shown) {
        return correctedNote(self.key, given.*Text, shown.*Text);
    };
    return b;
}

// An alarm's switch and its level as a number typed with `Decimals` places into an
// edit box of at most `Length` characters; "Next >" takes what the box shows.
template <auto Setting, auto On, auto Number, int Decimals, int Length>
constexpr Binding<ValuesOf<Number>> numberLevel(std::string_view key)
{
    using V = ValuesOf<Number>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        s.*Setting = v.*On ? AlarmSetting{true, numericTextValue(numericText(v.*Number, Decimals))} : AlarmSetting{};
    };
    b.take = [](const Binding<V>& self, WizardCore&, V& v, const LoggerSettings& s, std::string& problem) {
        const std::optional<AlarmSetting>& alarm = s.*Setting;
        if (!alarm)
            return true;
        v.*On = alarm->on;
        if (!(v.*On))
            return true;
        const auto shown = [](double level) { return numericText(level, Decimals); };
        const std::string text = editText(alarm->level, Decimals, Length, shown, self.key, problem);
        if (text.empty())
            return false;
        v.*Number = numericTextValue(text);
        return true;
    };
    b.stayed = [](const Binding<V>& self, const V& given, const V& shown) {
        return correctedNote(self.key, numericText(given.*Number, Decimals), numericText(shown.*Number, Decimals));
    };
    return b;
}

// A count of readings behind a tick box (its `offered`, `ticked` and `count`); 0 is the
// box cleared. The box can be ticked only while `needs` (its alarm) is on.
template <auto Setting, auto Box> constexpr Binding<ValuesOf<Box>> count(std::string_view key, std::string_view needs)
{
    using V = ValuesOf<Box>;
    Binding<V> b{key, needs};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        s.*Setting = (v.*Box).ticked ? static_cast<std::int64_t>((v.*Box).count) : 0;
    };
    b.take = [](const Binding<V>& self, WizardCore&, V& v, const LoggerSettings& s, std::string& problem) {
        const std::optional<std::int64_t>& count = s.*Setting;
        if (!count)
            return true;
        auto& box = v.*Box;
        box.ticked = *count != 0;
        if (box.ticked && !box.offered) {
            problem = bind_detail::countNeeds(self.key, self.words);
            return false;
        }
        if (box.ticked)
            box.count = static_cast<double>(*count);
        return true;
    };
    b.stayed = [](const Binding<V>& self, const V& given, const V& shown) {
        return correctedNote(self.key, numericText((given.*Box).count, 0), numericText((shown.*Box).count, 0));
    };
    b.unshown = [](const Binding<V>& self, const LoggerSettings& s) {
        return (s.*Setting).value_or(0) != 0 ? bind_detail::countNeeds(self.key, self.words) : std::string();
    };
    return b;
}

// The choice between the factory scaling and the user's own.
template <auto Setting, auto Member, auto Standard, auto Custom>
constexpr Binding<ValuesOf<Member>> scalingChoice(std::string_view key)
{
    using V = ValuesOf<Member>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        ScalingSetting scaling;
        scaling.custom = v.*Member == Custom;
        s.*Setting = scaling;
    };
    b.take = [](const Binding<V>&, WizardCore&, V& v, const LoggerSettings& s, std::string&) {
        if (s.*Setting)
            v.*Member = (s.*Setting)->custom ? Custom : Standard;
        return true;
    };
    return b;
}

// The boxes of the user's own scaling: the unit and the two points.
template <typename V> struct ScalingBoxes {
    std::string V::*unit;
    int unitLength;
    std::string V::*in1;
    std::string V::*out1;
    std::string V::*in2;
    std::string V::*out2;
    int decimals;
    int pointLength;
};

// The two points of a scaling: the member's name, the setting's and the box's.
template <typename V> struct ScalingPoint {
    std::string_view name;
    std::optional<double> ScalingSetting::*setting;
    std::string V::*box;
};
template <typename V, auto Boxes> constexpr std::array<ScalingPoint<V>, 4> scalingPoints()
{
    return {{{"in1", &ScalingSetting::in1, Boxes.in1},
             {"out1", &ScalingSetting::out1, Boxes.out1},
             {"in2", &ScalingSetting::in2, Boxes.in2},
             {"out2", &ScalingSetting::out2, Boxes.out2}}};
}

// The unit and points of a custom scaling (a standard scaling has none).
template <auto Setting, auto Boxes> constexpr auto customScaling(std::string_view key)
{
    using V = typename bind_detail::Member<decltype(Boxes.unit)>::Owner;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) {
        std::optional<ScalingSetting>& scaling = s.*Setting;
        if (!scaling || !scaling->custom)
            return;
        scaling->unit = v.*(Boxes.unit);
        for (const auto& [name, setting, box] : scalingPoints<V, Boxes>())
            (*scaling).*setting = numericTextValue(v.*box);
    };
    b.take = [](const Binding<V>& self, WizardCore&, V& v, const LoggerSettings& s, std::string& problem) {
        const std::optional<ScalingSetting>& scaling = s.*Setting;
        if (!scaling)
            return true;
        if (scaling->unit) {
            if (scaling->unit->size() > static_cast<std::size_t>(Boxes.unitLength)) {
                problem = std::string(self.key) + ".unit: the page takes a unit of at most " +
                          std::to_string(Boxes.unitLength) + " characters.";
                return false;
            }
            v.*(Boxes.unit) = *scaling->unit;
        }
        for (const auto& [name, setting, box] : scalingPoints<V, Boxes>())
            if (!bind_detail::takePoint(v.*box, (*scaling).*setting, std::string(self.key) + "." + std::string(name),
                                        Boxes.decimals, Boxes.pointLength, problem))
                return false;
        return true;
    };
    return b;
}

// A safety agreement: the page goes on only after `Agreed` is chosen.
template <auto Setting, auto Member, auto Agreed> constexpr Binding<ValuesOf<Member>> agreement(std::string_view key)
{
    using V = ValuesOf<Member>;
    Binding<V> b{key, {}};
    b.read = [](const Binding<V>&, WizardCore&, const V& v, LoggerSettings& s) { s.*Setting = v.*Member == Agreed; };
    b.take = [](const Binding<V>&, WizardCore&, V& v, const LoggerSettings& s, std::string&) {
        if ((s.*Setting).value_or(false))
            v.*Member = Agreed;
        return true;
    };
    b.stayed = [](const Binding<V>& self, const V& given, const V&) {
        const std::string k(self.key);
        return given.*Member == Agreed
                   ? std::string()
                   : k + ": this logger is set up only after its safety agreement is accepted (\"" + k + "\": true).";
    };
    return b;
}

// The start of a finish page: `Choice` is the start its Values ask for, `Choose` what
// the user does for a start. A logger waiting for a delayed start shows that start,
// so that its settings set another logger up the same way. Without `Button` the page
// has no button start.
template <typename V, auto Setting, auto Choice, auto Choose, bool Button>
constexpr Binding<V> start(std::string_view key, std::string_view noButton)
{
    Binding<V> b{key, noButton};
    b.read = [](const Binding<V>&, WizardCore& core, const V& v, LoggerSettings& s) {
        const StartChoice asked = Choice(v);
        s.*Setting = asked.mode == StartMode::Button ? asked : pendingOrNow(core.logger.config, core.clock);
    };
    b.take = [](const Binding<V>&, WizardCore& core, V& v, const LoggerSettings& s, std::string&) {
        if (s.*Setting)
            Choose(core, v, *(s.*Setting));
        return true;
    };
    b.refusal = [](const Binding<V>& self, const LoggerSettings& s, LoggerType, const std::string& model) {
        const bool button = s.*Setting && (s.*Setting)->mode == StartMode::Button;
        return button && !Button ? bind_detail::withModel(self.words, model) : std::string();
    };
    return b;
}

} // namespace bind

// What "Next >" and "&Finish" of a page are made of: its load() and its "Next >" (the
// "&Finish" of a finish page, whose `start` is the start its Values ask for).
template <typename V> struct PageSteps {
    V (*load)(WizardCore& core);
    WizardStep (*next)(WizardCore& core, V& values);
    StartChoice (*start)(const V& values) = nullptr;
};

template <typename V> class BoundPage final : public PageRules {
public:
    constexpr BoundPage(PageSteps<V> steps, std::span<const Binding<V>> bindings) : steps_(steps), bindings_(bindings)
    {
    }

    bool owns(std::string_view key) const override
    {
        for (const Binding<V>& b : bindings_)
            if (b.key == key)
                return true;
        return false;
    }

    std::string refusal(std::string_view key, const LoggerSettings& settings, LoggerType type,
                        const std::string& model) const override
    {
        for (const Binding<V>& b : bindings_)
            if (b.key == key && b.refusal)
                if (std::string why = b.refusal(b, settings, type, model); !why.empty())
                    return why;
        return {};
    }

    std::string neededUnshown(const LoggerSettings& settings) const override
    {
        for (const Binding<V>& b : bindings_)
            if (b.unshown)
                if (std::string why = b.unshown(b, settings); !why.empty())
                    return why;
        return {};
    }

    void read(WizardCore& core, LoggerSettings& settings) const override
    {
        const V shown = steps_.load(core);
        for (const Binding<V>& b : bindings_)
            b.read(b, core, shown, settings);
    }

    PageTurn next(WizardCore& core, const LoggerSettings& settings) const override
    {
        V values = steps_.load(core);
        std::string problem;
        if (!take(core, values, settings, problem))
            return PageTurn::refused(problem);
        const V given = values;
        const WizardStep step = steps_.next(core, values);
        if (step.moves())
            return PageTurn{step, {}};
        for (const Binding<V>& b : bindings_)
            if (b.stayed)
                problem = bind_detail::joined(problem, b.stayed(b, given, values));
        return PageTurn{step, problem};
    }

    bool finishes() const override { return steps_.start != nullptr; }

    std::string startRefusal(WizardCore& core, const LoggerSettings& settings) const override
    {
        V values = steps_.load(core);
        std::string problem;
        if (!take(core, values, settings, problem))
            return problem;
        return planStart(core.clock, steps_.start(values)).refusal;
    }

    WizardStep finish(WizardCore& core, const LoggerSettings& settings) const override
    {
        V values = steps_.load(core);
        std::string problem;
        if (!take(core, values, settings, problem))
            return WizardStep::stay();
        return steps_.next(core, values);
    }

private:
    bool take(WizardCore& core, V& values, const LoggerSettings& settings, std::string& problem) const
    {
        for (const Binding<V>& b : bindings_)
            if (!b.take(b, core, values, settings, problem))
                return false;
        return true;
    }

    PageSteps<V> steps_;
    std::span<const Binding<V>> bindings_;
};

} // namespace velmora
