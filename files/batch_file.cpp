// Batch-file parsing: keywords compared exactly, values read as numbers.
#include "files/batch_file.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "files/input_refusal.h"
#include "platform/text/conversions.h"

namespace tessary {

namespace {

constexpr std::array<std::string_view, 7> kMethods = {"Mie",         "Debye", "Rayleigh", "Airy",
                                                      "Diffraction", "Young", "Young mod"};
constexpr std::array<std::string_view, 6> kGraphs = {
    "Intensity v. scattering angle", "Intensity v. wavelength",       "Intensity v. radius",
    "Intensity v. refractive index", "Intensity v. size parameter x", "Lee diagram"};

constexpr std::array<std::string_view, 4> kSteppedNames = {"RIreal", "RIimag", "wavelength", "radius"};

struct ValueKeyword {
    std::string_view word;
    BatchAction action;
};
constexpr std::array<ValueKeyword, 7> kValueKeywords = {{{"radius", BatchAction::Radius},
                                                         {"wavelength", BatchAction::Wavelength},
                                                         {"xmin", BatchAction::XMin},
                                                         {"xmax", BatchAction::XMax},
                                                         {"xstep", BatchAction::XStep},
                                                         {"RIreal", BatchAction::RIReal},
                                                         {"RIimag", BatchAction::RIImag}}};

template <std::size_t N>
bool OneOf(const std::array<std::string_view, N>& words, const std::string& item) {
    for (std::string_view w : words)
        if (item == w) return true;
    return false;
}

// The batch ends here with `message` (line N: reason).
BatchCommand Invalid(const std::string& message, const InputRefusal& refusal) {
    BatchCommand c;
    c.action = BatchAction::Invalid;
    c.text = RefusalText(message, refusal);
    return c;
}

// A number after the value (or the last number of a step) on its line, as a decimal comma ("0,65") leaves
// one: the line is refused, whatever it would set, rather than its first part taken (an empty refusal where
// none follows).
InputRefusal NumberAfter(const TextFileReader& reader, int line) {
    if (reader.AtEnd() || reader.Line() != line) return {};
    const std::string_view rest = reader.RestOfLine();
    TextFileReader next = TextFileReader::FromBytes(rest.substr(0, rest.find(',')));
    const FileStatus status = next.ReadDouble().status;
    if (status != FileStatus::Ok && status != FileStatus::OutOfRange) return {};
    return InputRefusal{
        line, QuotedLine(reader.CurrentLine()) + ": a comma ends a number, numbers take a decimal point"};
}

// The number of stepped runs before any limit: Int((to - from) / by + 0.001) + 1 in double.
double SteppedRuns(float from, float to, float by) {
    return std::floor((static_cast<double>(to) - from) / by + 0.001) + 1;
}

// The "step" line whose keyword is `item`: a SteppedRun command with its run count (its runs start at
// the next "run"), or an Invalid command saying why the line cannot be stepped.
BatchCommand ParseStep(TextFileReader& reader, const Item<std::string>& item) {
    const Item<std::string> name = reader.ReadText();
    if (!name.ok()) return Invalid("step has no parameter", ItemRefusal(name, "the stepped parameter"));
    const std::string stepped = "step " + BatchEcho(name.value);
    // Only these boxes can be stepped; any other name would make the same run again and again.
    if (!OneOf(kSteppedNames, name.value))
        return Invalid(stepped + " is not a valid parameter",
                       {name.line, "only RIreal, RIimag, wavelength and radius can be stepped"});
    constexpr std::array<const char*, 3> kParts = {"start", "end", "step"};
    std::array<float, 3> v{};
    int byLine = name.line;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const Item<float> n = reader.ReadSingle();
        if (!n.ok())
            return Invalid(stepped + " has no " + kParts[i], ItemRefusal(n, std::string("its ") + kParts[i]));
        v[i] = n.value;
        byLine = n.line;
    }
    if (InputRefusal more = NumberAfter(reader, byLine); more.refused())
        return Invalid(stepped + " has more than a start, end and step", more);
    BatchCommand c;
    c.action = BatchAction::SteppedRun;
    c.stepName = name.value;
    c.stepFrom = v[0];
    c.stepTo = v[1];
    c.stepBy = v[2];
    c.runs = BatchSteppedRunCount(v[0], v[1], v[2]);
    if (c.runs >= 1) return c;
    if (v[2] == 0.0f) return Invalid(stepped + " has a step of 0", {byLine, "the runs would never end"});
    const double runs = SteppedRuns(v[0], v[1], v[2]);
    if (runs > kBatchMaxSteppedRuns)
        return Invalid(stepped + " makes " + CStr(runs) + " runs",
                       {item.line, "at most " + CStr(kBatchMaxSteppedRuns) + " stepped runs"});
    return Invalid(stepped + " makes no run",
                   {item.line, "from " + CStr(v[0]) + " to " + CStr(v[1]) + " by " + CStr(v[2])});
}

}  // namespace

std::string BatchEcho(const std::string& item) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < item.size() && chars < 60; ++chars) {
        const auto c = static_cast<unsigned char>(item[i]);
        std::size_t len = 1;
        if (c >= 0xF0)
            len = 4;
        else if (c >= 0xE0)
            len = 3;
        else if (c >= 0xC0)
            len = 2;
        if (c < 32 || c == 127) {
            out += '?';
        } else {
            out.append(item, i, len);
        }
        i += len;
    }
    return out;
}

std::int32_t BatchSteppedRunCount(float from, float to, float by) {
    if (!(by != 0.0f) || !std::isfinite(from) || !std::isfinite(to) || !std::isfinite(by)) return 0;
    const double n = SteppedRuns(from, to, by);
    if (!(n >= 1) || n > kBatchMaxSteppedRuns) return 0;
    return static_cast<std::int32_t>(n);
}

BatchProgram ParseBatch(TextFileReader& reader) {
    BatchProgram program;
    const Item<std::string> header = reader.ReadText();
    program.headerOk = header.ok() && header.value == kBatchHeader;
    if (!program.headerOk) return program;
    std::vector<BatchCommand>& out = program.commands;
    std::optional<BatchCommand> pendingStep;  // "step" read; its runs start at the next "run"
    int pendingLine = 0;
    // The batch ends (the file's end or "stop") with a step whose runs never came: refused at its line.
    const auto end = [&] {
        if (pendingStep)
            out.push_back(Invalid("step " + BatchEcho(pendingStep->stepName) + " has no run",
                                  {pendingLine, "a step line must be followed by run"}));
        return program;
    };
    for (;;) {
        const Item<std::string> item = reader.ReadText();
        if (item.status == FileStatus::EndOfFile) return end();
        if (!item.ok()) {
            out.push_back(Invalid(BatchEcho(item.text) + " is not a valid parameter", ItemRefusal(item, "")));
            return program;
        }
        const std::string& word = item.value;
        if (word.empty()) continue;
        if (word == "stop") return end();
        BatchCommand c;
        if (OneOf(kMethods, word) || word == "Decsartes") {
            c.action = BatchAction::Method;
            c.text = word == "Decsartes" ? "Descartes" : word;
            out.push_back(std::move(c));
            continue;
        }
        if (OneOf(kGraphs, word)) {
            c.action = BatchAction::Graph;
            c.text = word;
            out.push_back(std::move(c));
            continue;
        }
        if (word == "run") {
            if (pendingStep) {
                out.push_back(std::move(*pendingStep));
                return program;
            }
            out.push_back(c);
            continue;
        }
        bool valueKeyword = false;
        for (const ValueKeyword& k : kValueKeywords)
            if (word == k.word) {
                valueKeyword = true;
                c.action = k.action;
            }
        if (valueKeyword) {
            const Item<double> value = reader.ReadDouble();
            if (!value.ok()) {
                out.push_back(Invalid(word + " has no value", ItemRefusal(value, "its value")));
                return program;
            }
            if (InputRefusal more = NumberAfter(reader, value.line); more.refused()) {
                out.push_back(Invalid(word + " has more than one value", more));
                return program;
            }
            c.text = CStr(value.value);
            out.push_back(std::move(c));
            continue;
        }
        if (word == "step") {
            BatchCommand step = ParseStep(reader, item);
            if (step.action == BatchAction::SteppedRun && pendingStep)  // it would replace the first
                step = Invalid("step " + BatchEcho(step.stepName) + " follows a step without its run",
                               {item.line, "a step line must be followed by run before the next step"});
            if (step.action == BatchAction::Invalid) {
                out.push_back(std::move(step));
                return program;
            }
            pendingStep = std::move(step);
            pendingLine = item.line;
            continue;
        }
        out.push_back(Invalid(BatchEcho(word) + " is not a valid parameter", {item.line, "no such keyword"}));
        return program;
    }
}

}  // namespace tessary
