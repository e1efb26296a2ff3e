#include "calculation.h"

#include "design_calculation.h"
#include "sketch_builder.h"

namespace haltrix::cli {

namespace {

class RecordingNotifier : public Notifier {
public:
    void notify(std::string_view message) override {
        if (!m_message)
            m_message = std::string(message);
    }
    std::optional<std::string> m_message;
};

// The load sequence over a record that was read without error.
void calculate(CalculatedDesign& design, const CalcOptions& options) {
    DesignRecord& record = design.record;
    deriveRatioCase(record);
    RecordingNotifier notifier;
    design.horizontal =
        calculateDesign(record, twinForUnitSystem(record.unitSystem), options.hBarIndex,
                        barCountFromText(options.hCountText), notifier)
            .horizontal;
    design.message = notifier.m_message;
    design.warnings = findDesignWarnings(record, options.spacingRule);
}

} // namespace

CalculatedDesign calculateDesignFile(const std::string& path, const CalcOptions& options) {
    CalculatedDesign design;
    design.path = path;
    design.readError = readDesignFile(path, design.record);
    if (!design.readError)
        calculate(design, options);
    return design;
}

CalculatedDesign calculateDesignText(std::string_view text, const std::string& name,
                                     const CalcOptions& options) {
    CalculatedDesign design;
    design.path = name;
    design.readError = readDesignText(text, name, design.record);
    if (!design.readError)
        calculate(design, options);
    return design;
}

sketch::Sketch designSketch(const CalculatedDesign& design) {
    return sketch::buildSketch(design.record, design.message
                                                  ? sketch::SketchContent::Inputs
                                                  : sketch::SketchContent::InputsAndResults);
}

} // namespace haltrix::cli
