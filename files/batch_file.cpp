// Batch-file parsing: keywords compared exactly, values read as numbers.
#include "files/batch_file.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>
#include <utility>

#include "platform/text/conversions.h"

namespace tessary {

namespace {

constexpr std::array<std::string_view, 7> kMethods = {"Mie",         "Debye", "Rayleigh", "Airy",
                                                      "Diffraction", "Young", "Young mod"};
constexpr std::array<std::string_view, 6> kGraphs = {
    "Intensity v. scattering angle", "Intensity v. wavelength",       "Intensity v. radius",
    "Intensity v. refractive index", "Intensity v. size parameter x", "Lee diagram"};

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

BatchCommand Invalid(const std::string& item) {
    BatchCommand c;
    c.action = BatchAction::Invalid;
    c.text = BatchEcho(item) + " is not a valid parameter";
    return c;
}

// The item a failed number read stood on, or the keyword when the file ended.
std::string Offending(const Item<double>& value, const std::string& keyword) {
    return value.status == FileStatus::EndOfFile || value.text.empty() ? keyword : value.text;
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
    const double n = std::floor((static_cast<double>(to) - from) / by + 0.001) + 1;
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
    for (;;) {
        const Item<std::string> item = reader.ReadText();
        if (item.status == FileStatus::EndOfFile) return program;
        if (!item.ok()) {
            out.push_back(Invalid(item.text));
            return program;
        }
        const std::string& word = item.value;
        if (word.empty()) continue;
        if (word == "stop") return program;
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
                pendingStep->action = BatchAction::SteppedRun;
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
                out.push_back(Invalid(Offending(value, word)));
                return program;
            }
            c.text = CStr(value.value);
            out.push_back(std::move(c));
            continue;
        }
        if (word == "step") {
            const Item<std::string> name = reader.ReadText();
            if (!name.ok()) {
                out.push_back(Invalid(word));
                return program;
            }
            std::array<float, 3> v{};
            for (float& x : v) {
                const Item<float> n = reader.ReadSingle();
                if (!n.ok()) {
                    out.push_back(Invalid(n.status == FileStatus::EndOfFile || n.text.empty() ? word : n.text));
                    return program;
                }
                x = n.value;
            }
            c.stepName = name.value;
            c.stepFrom = v[0];
            c.stepTo = v[1];
            c.stepBy = v[2];
            c.runs = BatchSteppedRunCount(v[0], v[1], v[2]);
            if (c.runs < 1) {
                out.push_back(Invalid(word));
                return program;
            }
            pendingStep = std::move(c);
            continue;
        }
        out.push_back(Invalid(word));
        return program;
    }
}

}  // namespace tessary
