#include "cmdline/command_line.h"

#include <cstdint>
#include <optional>
#include <string_view>

#include "cmdline/help.h"
#include "cmdline/lower_case.h"
#include "platform/process.h"
#include "scheduler/number.h"

namespace taktomat::cmdline {
namespace {

constexpr char kBlank = ' ';
// The indexes of the window-mode list.
constexpr std::int32_t kLowestMode = 0;
constexpr std::int32_t kHighestMode = 6;

struct FourValues {
    std::int32_t seconds;
    std::int32_t mode;
    std::int32_t passes;
    std::string fileName;
};

// Without the blanks at both ends (tabs are no blanks here), every letter in lower case.
std::string workingCopy(const std::string& commandLine) {
    const size_t first = commandLine.find_first_not_of(kBlank);
    if (first == std::string::npos) return {};
    const size_t last = commandLine.find_last_not_of(kBlank);
    return toLowerCase(std::string_view(commandLine).substr(first, last - first + 1));
}

// The field before the first blank of `rest`, which keeps what follows that blank; nothing
// when there is no blank. Two blanks in a row give an empty field.
std::optional<std::string_view> cutField(std::string_view& rest) {
    const size_t blank = rest.find(kBlank);
    if (blank == std::string_view::npos) return std::nullopt;
    const std::string_view field = rest.substr(0, blank);
    rest.remove_prefix(blank + 1);
    return field;
}

std::optional<FourValues> readFourValues(std::string_view line) {
    std::string_view fields[3];
    for (std::string_view& field : fields) {
        const auto cut = cutField(line);
        if (!cut) return std::nullopt;
        field = *cut;
    }
    const auto seconds = scheduler::toInt32(fields[0]);
    const auto mode = scheduler::toInt32(fields[1]);
    const auto passes = scheduler::toInt32(fields[2]);
    if (!seconds || !mode || !passes) return std::nullopt;
    // Never empty: the working copy ends in something other than a blank.
    return FourValues{*seconds, *mode, *passes, std::string(line)};
}

// False when the text is no form the utility knows. Throws what the fields or the Start throw.
bool interpret(const std::string& commandLine, const CommandLineTargets& targets) {
    const std::string line = workingCopy(commandLine);
    if (line == "start") {
        targets.Command1_Click();
        return true;
    }
    const std::optional<FourValues> values = readFourValues(line);
    if (!values || values->mode < kLowestMode || values->mode > kHighestMode) return false;
    targets.Combo1.setSelectedIndex(static_cast<std::int16_t>(values->mode));
    // In plain decimal: 030 arrives as 30. The number filters accept these texts.
    targets.sekundentxt.setText(std::to_string(values->seconds));
    targets.durchlauftxt.setText(std::to_string(values->passes));
    targets.dateinametxt.setText(values->fileName);
    targets.Command1_Click();
    return true;
}

}  // namespace

void parseCommandLine(const std::string& commandLine, const CommandLineTargets& targets) {
    bool understood = false;
    try {
        understood = interpret(commandLine, targets);
    } catch (const platform::ProcessEnding&) {
        throw;
    } catch (...) {
        // Whatever went wrong, the help is the one answer; fields already set keep their values.
    }
    if (!understood) showCommandLineHelp(targets.boxes);
}

}  // namespace taktomat::cmdline
