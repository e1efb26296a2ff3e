// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/ifc_writer.h"

#include <cmath>
#include <initializer_list>

#include "design/design_calculation.h"
#include "design/horizontal_check.h"
#include "design/input_fields.h"
#include "design/unit_system.h"
#include "model/ifc_guid.h"
#include "model/step_text.h"
#include "paper/number_format.h"

namespace haltrix::model {

namespace {

// The arguments of one entity, separated by commas as they are added.
class Args {
public:
    Args& text(std::string_view value) {
        comma();
        appendStepString(m_text, value);
        return *this;
    }
    Args& real(double value) {
        comma();
        appendStepReal(m_text, value);
        return *this;
    }
    Args& ref(int id) {
        comma();
        m_text += '#';
        m_text += std::to_string(id);
        return *this;
    }
    Args& refs(const std::vector<int>& ids) {
        comma();
        m_text += '(';
        for (std::size_t i = 0; i < ids.size(); ++i) {
            if (i)
                m_text += ',';
            m_text += '#';
            m_text += std::to_string(ids[i]);
        }
        m_text += ')';
        return *this;
    }
    Args& enumeration(std::string_view value) {
        comma();
        m_text += '.';
        m_text += value;
        m_text += '.';
        return *this;
    }
    // Written as it is: $, *, an integer, a typed value.
    Args& raw(std::string_view value) {
        comma();
        m_text += value;
        return *this;
    }
    Args& unset() { return raw("$"); }
    const std::string& str() const { return m_text; }

private:
    void comma() {
        if (!m_text.empty())
            m_text += ',';
    }
    std::string m_text;
};

std::string realList(std::initializer_list<double> values) {
    std::string text = "(";
    bool first = true;
    for (const double value : values) {
        if (!first)
            text += ',';
        first = false;
        appendStepReal(text, value);
    }
    return text + ")";
}

// "    - OK -" as "OK".
std::string judgementWord(const std::string& judgement) {
    std::string word;
    for (const char c : judgement) {
        if (c != ' ' && c != '-')
            word += c;
    }
    return word;
}

class IfcWriter {
public:
    IfcWriter(const IfcDesign& design, const IfcFileFacts& facts)
        : m_design(design), m_model(design.model), m_facts(facts) {
        m_out.reserve(16384 + 1024 * m_model.bars.size());
    }

    std::string write() {
        writeHeader();
        writeProject();
        writeSpatialStructure();
        writeBeam();
        writeBars();
        writeRelations();
        writePropertySet();
        writeQuantities();
        m_out += "ENDSEC;\nEND-ISO-10303-21;\n";
        return std::move(m_out);
    }

private:
    bool is4x3() const { return m_facts.schema == IfcSchema::Ifc4x3; }

    std::string id(std::string_view role) const { return ifcGlobalId(m_facts.designName, role); }

    int add(std::string_view type, const std::string& args) {
        const int number = m_next++;
        m_out += '#';
        m_out += std::to_string(number);
        m_out += '=';
        m_out += type;
        m_out += '(';
        m_out += args;
        m_out += ");\n";
        return number;
    }
    int add(std::string_view type, const Args& args) { return add(type, args.str()); }

    int point(double x, double y, double z) {
        return add("IFCCARTESIANPOINT", realList({x, y, z}));
    }
    int point2(double x, double y) { return add("IFCCARTESIANPOINT", realList({x, y})); }
    int direction(double x, double y, double z) { return add("IFCDIRECTION", realList({x, y, z})); }

    void writeHeader() {
        m_out += "ISO-10303-21;\nHEADER;\nFILE_DESCRIPTION((";
        appendStepString(m_out, is4x3() ? "ViewDefinition [ReferenceView]"
                                        : "ViewDefinition [ReferenceView_V1.2]");
        m_out += "),'2;1');\nFILE_NAME(";
        appendStepString(m_out, m_facts.fileName);
        m_out += ',';
        appendStepString(m_out, m_facts.timestamp);
        m_out += ",(''),(''),";
        const std::string program = "Haltrix " + m_facts.version;
        appendStepString(m_out, program);
        m_out += ',';
        appendStepString(m_out, program);
        m_out += ",'');\nFILE_SCHEMA(('";
        m_out += schemaName(m_facts.schema);
        m_out += "'));\nENDSEC;\nDATA;\n";
    }

    void writeProject() {
        const std::vector<int> units = {
            add("IFCSIUNIT", "*,.LENGTHUNIT.,.MILLI.,.METRE."),
            add("IFCSIUNIT", "*,.AREAUNIT.,$,.SQUARE_METRE."),
            add("IFCSIUNIT", "*,.VOLUMEUNIT.,$,.CUBIC_METRE."),
            add("IFCSIUNIT", "*,.MASSUNIT.,.KILO.,.GRAM."),
            add("IFCSIUNIT", "*,.PLANEANGLEUNIT.,$,.RADIAN."),
        };
        const int unitAssignment = add("IFCUNITASSIGNMENT", Args().refs(units));
        m_origin = point(0, 0, 0);
        m_up = direction(0, 0, 1);
        m_along = direction(1, 0, 0);
        m_axes = add("IFCAXIS2PLACEMENT3D", Args().ref(m_origin).ref(m_up).ref(m_along));
        const int context =
            add("IFCGEOMETRICREPRESENTATIONCONTEXT",
                Args().unset().text("Model").raw("3").real(1e-5).ref(m_axes).unset());
        m_body = add("IFCGEOMETRICREPRESENTATIONSUBCONTEXT", Args()
                                                                 .text("Body")
                                                                 .text("Model")
                                                                 .raw("*,*,*,*")
                                                                 .ref(context)
                                                                 .unset()
                                                                 .enumeration("MODEL_VIEW")
                                                                 .unset());
        m_project = add("IFCPROJECT", Args()
                                          .text(id("project"))
                                          .unset()
                                          .text(m_facts.designName)
                                          .text("張出し部の 3D 配筋モデル")
                                          .unset()
                                          .unset()
                                          .unset()
                                          .refs({context})
                                          .ref(unitAssignment));
    }

    int placement(int relativeTo) {
        Args args;
        if (relativeTo)
            args.ref(relativeTo);
        else
            args.unset();
        return add("IFCLOCALPLACEMENT", args.ref(m_axes));
    }

    int aggregate(std::string_view role, int whole, int part) {
        return add("IFCRELAGGREGATES",
                   Args().text(id(role)).unset().unset().unset().ref(whole).refs({part}));
    }

    void writeSpatialStructure() {
        const int sitePlacement = placement(0);
        const int site = add("IFCSITE", Args()
                                            .text(id("site"))
                                            .unset()
                                            .text("敷地")
                                            .unset()
                                            .unset()
                                            .ref(sitePlacement)
                                            .raw("$,$")
                                            .enumeration("ELEMENT")
                                            .raw("$,$,$,$,$"));
        aggregate("rel/project-site", m_project, site);
        m_container = site;
        m_containerPlacement = sitePlacement;
        if (!is4x3())
            return;
        const int bridgePlacement = placement(sitePlacement);
        const int bridge = add("IFCBRIDGE", Args()
                                                .text(id("bridge"))
                                                .unset()
                                                .text("橋梁")
                                                .unset()
                                                .unset()
                                                .ref(bridgePlacement)
                                                .raw("$,$")
                                                .enumeration("ELEMENT")
                                                .enumeration("NOTDEFINED"));
        aggregate("rel/site-bridge", site, bridge);
        const bool pier = m_facts.part == BridgePart::Pier;
        const int partPlacement = placement(bridgePlacement);
        const int part = add("IFCBRIDGEPART", Args()
                                                  .text(id("part"))
                                                  .unset()
                                                  .text(pier ? "橋脚" : "橋台")
                                                  .unset()
                                                  .unset()
                                                  .ref(partPlacement)
                                                  .raw("$,$")
                                                  .enumeration("ELEMENT")
                                                  .enumeration("NOTDEFINED")
                                                  .enumeration(pier ? "PIER" : "ABUTMENT"));
        aggregate("rel/bridge-part", bridge, part);
        m_container = part;
        m_containerPlacement = partPlacement;
    }

    int shape(std::string_view type, int item) {
        const int representation =
            add("IFCSHAPEREPRESENTATION", Args().ref(m_body).text("Body").text(type).refs({item}));
        return add("IFCPRODUCTDEFINITIONSHAPE", Args().unset().unset().refs({representation}));
    }

    void writeBeam() {
        const ConcreteBody& body = m_model.body;
        m_elementPlacement = placement(m_containerPlacement);
        // The side face as the profile, in a plane whose x is the model's x
        // and whose y points down (the model's -z); extruded across the
        // width along the model's y.
        std::vector<int> corners = {point2(0, 0), point2(body.l, 0)};
        if (body.H1 > 0)
            corners.push_back(point2(body.l, body.H1));
        corners.push_back(point2(0, body.H2));
        corners.push_back(corners.front());
        const int outline = add("IFCPOLYLINE", Args().refs(corners));
        const int profile =
            add("IFCARBITRARYCLOSEDPROFILEDEF", Args().enumeration("AREA").unset().ref(outline));
        const int corner = point(0, -body.b / 2, 0);
        const int across = direction(0, 1, 0);
        const int position =
            add("IFCAXIS2PLACEMENT3D", Args().ref(corner).ref(across).ref(m_along));
        const int solid =
            add("IFCEXTRUDEDAREASOLID", Args().ref(profile).ref(position).ref(m_up).real(body.b));
        m_beam = add("IFCBEAM", Args()
                                    .text(id("beam"))
                                    .unset()
                                    .text("張出し部")
                                    .unset()
                                    .text("張出し部")
                                    .ref(m_elementPlacement)
                                    .ref(shape("SweptSolid", solid))
                                    .text("bracket")
                                    .enumeration("USERDEFINED"));
    }

    std::string steelGrade() const {
        const DesignInputs& in = m_design.inputs;
        return "JIS G 3112 σsa=" + plainText(in.sigmaSa) + " " +
               std::string(inputUnit(InputKind::Stress, in.unitSystem));
    }

    void writeBars() {
        const std::string grade = steelGrade();
        for (const ModelBar& bar : m_model.bars) {
            const int from = point(bar.start.x, bar.start.y, bar.start.z);
            const int to = point(bar.end.x, bar.end.y, bar.end.z);
            const int axis = add("IFCPOLYLINE", Args().refs({from, to}));
            const int solid =
                add("IFCSWEPTDISKSOLID", Args().ref(axis).real(bar.diameterMm / 2).raw("$,$,$"));
            const bool main = bar.kind == BarKind::Main;
            const std::string name =
                (main ? std::string(bar.layer == 1 ? "１段目" : "２段目") : "水平方向用心鉄筋") +
                " " + bar.designation + " No." + std::to_string(bar.number);
            Args args;
            args.text(id(bar.role)).unset().text(name).unset();
            if (main)
                args.unset();
            else
                args.text("水平方向用心鉄筋");
            args.ref(m_elementPlacement)
                .ref(shape("AdvancedSweptSolid", solid))
                .text(bar.role)
                .text(grade)
                .real(bar.diameterMm)
                .real(bar.areaMm2 / 1e6)
                .real(bar.lengthMm())
                .enumeration(main ? "MAIN" : "USERDEFINED")
                .enumeration("TEXTURED");
            m_bars.push_back(add("IFCREINFORCINGBAR", args));
        }
    }

    void writeRelations() {
        std::vector<int> elements = {m_beam};
        elements.insert(elements.end(), m_bars.begin(), m_bars.end());
        add("IFCRELCONTAINEDINSPATIALSTRUCTURE", Args()
                                                     .text(id("rel/contained"))
                                                     .unset()
                                                     .unset()
                                                     .unset()
                                                     .refs(elements)
                                                     .ref(m_container));
        const int concrete =
            add("IFCMATERIAL", Args().text("コンクリート").unset().text("Concrete"));
        add("IFCRELASSOCIATESMATERIAL", Args()
                                            .text(id("rel/material/concrete"))
                                            .unset()
                                            .unset()
                                            .unset()
                                            .refs({m_beam})
                                            .ref(concrete));
        if (!m_bars.empty()) {
            const int steel = add("IFCMATERIAL", Args().text("鉄筋").unset().text("Steel"));
            add("IFCRELASSOCIATESMATERIAL", Args()
                                                .text(id("rel/material/steel"))
                                                .unset()
                                                .unset()
                                                .unset()
                                                .refs(m_bars)
                                                .ref(steel));
        }
    }

    // One property; a number that is not finite is written without a value.
    void property(std::string_view name, std::string_view type, double value) {
        std::string nominal = "$";
        if (std::isfinite(value)) {
            nominal = std::string(type) + '(';
            appendStepReal(nominal, value);
            nominal += ')';
        }
        m_properties.push_back(
            add("IFCPROPERTYSINGLEVALUE", Args().text(name).unset().raw(nominal).unset()));
    }
    void property(std::string_view name, std::string_view type, std::string_view value) {
        std::string nominal = std::string(type) + '(';
        appendStepString(nominal, value);
        nominal += ')';
        m_properties.push_back(
            add("IFCPROPERTYSINGLEVALUE", Args().text(name).unset().raw(nominal).unset()));
    }
    void flag(std::string_view name, bool value) {
        m_properties.push_back(add(
            "IFCPROPERTYSINGLEVALUE",
            Args().text(name).unset().raw(value ? "IFCBOOLEAN(.T.)" : "IFCBOOLEAN(.F.)").unset()));
    }

    static std::string withUnit(std::string_view name, std::string_view unit) {
        return unit.empty() ? std::string(name)
                            : std::string(name) + " (" + std::string(unit) + ")";
    }

    void writePropertySet() {
        const DesignInputs& in = m_design.inputs;
        const DesignResults& results = m_design.results;
        property("単位系", "IFCLABEL",
                 unitSystemOf(in.unitSystem) == UnitSystem::Gravitational ? "重力単位系" : "SI 単位系");
        for (const InputField& field : kInputFields) {
            if (field.kind == InputKind::UnitSystem)
                continue;
            const std::string name = withUnit(field.caption, inputUnit(field.kind, in.unitSystem));
            if (field.text)
                property(name, "IFCLABEL", in.*field.text);
            else
                property(name, "IFCREAL", in.*field.number);
        }
        const std::string area = unitTableOf(in.unitSystem).area;
        property("計算の式", "IFCLABEL", results.ratioCase == 1 ? "(1) 式" : "(2) 式");
        property(withUnit("必要主鉄筋量", area), "IFCREAL", requiredMainArea(results));
        property(withUnit("配置主鉄筋量", area), "IFCREAL", providedMainArea(results));
        property("主鉄筋の判定", "IFCLABEL", judgementWord(results.main.judgement));
        const SideFaceReinforcement& side = results.sideFaces;
        property("水平方向用心鉄筋", "IFCLABEL", m_model.sideFaceBar);
        property("水平方向用心鉄筋の本数", "IFCREAL", m_model.sideFaceCount);
        property(withUnit("水平方向用心鉄筋の必要量", area), "IFCREAL", side.required);
        property(withUnit("水平方向用心鉄筋の配置量", area), "IFCREAL", side.As);
        property("水平方向用心鉄筋の判定", "IFCLABEL", judgementWord(side.judgement));
        property("水平方向用心鉄筋の配置", "IFCTEXT",
                 "両側面に交互、側面から t、最下段の主鉄筋の下で先端の残りの高さの 2/3 "
                 "の範囲に等間隔");
        if (results.message)
            property("計算のメッセージ", "IFCTEXT", *results.message);

        const bool isDefault = m_model.anchorage == kDefaultAnchorage;
        property("定着長の指定", "IFCLABEL",
                 m_model.anchorage.text() +
                     (isDefault ? "（既定値: 仮定であり基準によるものではない）" : ""));
        // The anchorage each kind of bar got, in mm.
        std::string lastKey;
        for (const ModelBar& bar : m_model.bars) {
            const std::string key = bar.kind == BarKind::Main
                                        ? (bar.layer == 1 ? "１段目" : "２段目")
                                        : "水平方向用心鉄筋";
            if (key == lastKey)
                continue;
            lastKey = key;
            property("定着長 " + key + " (mm)", "IFCLENGTHMEASURE", bar.anchorageMm);
        }
        property("支承位置 x (mm)", "IFCLENGTHMEASURE", m_model.bearing.x);
        property(withUnit("被り t (鉄筋中心まで)", "mm"), "IFCLENGTHMEASURE", m_model.coverMm);

        const std::vector<std::string>& clashes = m_design.clashes;
        flag("干渉", !clashes.empty());
        std::string clashText;
        for (const std::string& clash : clashes)
            clashText += (clashText.empty() ? "" : "\n") + clash;
        property("干渉の内容", "IFCTEXT", clashes.empty() ? "なし" : clashText);
        if (!m_model.notes.empty()) {
            std::string notes;
            for (const std::string& note : m_model.notes)
                notes += (notes.empty() ? "" : "\n") + note;
            property("モデル化の注記", "IFCTEXT", notes);
        }
        property("設計ファイル", "IFCLABEL", m_facts.designName);

        const int set = add("IFCPROPERTYSET", Args()
                                                  .text(id("pset/design"))
                                                  .unset()
                                                  .text("張出し部の設計")
                                                  .unset()
                                                  .refs(m_properties));
        add("IFCRELDEFINESBYPROPERTIES",
            Args().text(id("rel/pset/design")).unset().unset().unset().refs({m_beam}).ref(set));
    }

    void writeQuantities() {
        const ConcreteBody& body = m_model.body;
        auto quantity = [&](const char* type, std::string_view name, double value) {
            return add(type, Args().text(name).unset().unset().real(value).unset());
        };
        const std::vector<int> quantities = {
            quantity("IFCQUANTITYVOLUME", "コンクリート体積", body.volumeMm3() / 1e9),
            quantity("IFCQUANTITYAREA", "型枠面積", body.formworkAreaMm2() / 1e6),
            quantity("IFCQUANTITYWEIGHT", "鉄筋質量", m_model.barMassKg()),
        };
        const int set = add("IFCELEMENTQUANTITY", Args()
                                                      .text(id("quantities"))
                                                      .unset()
                                                      .text("張出し部の数量")
                                                      .unset()
                                                      .unset()
                                                      .refs(quantities));
        add("IFCRELDEFINESBYPROPERTIES",
            Args().text(id("rel/quantities")).unset().unset().unset().refs({m_beam}).ref(set));
    }

    const IfcDesign& m_design;
    const BracketModel& m_model;
    const IfcFileFacts& m_facts;
    std::string m_out;
    int m_next = 1;
    int m_origin = 0, m_up = 0, m_along = 0, m_axes = 0, m_body = 0, m_project = 0;
    int m_container = 0, m_containerPlacement = 0, m_elementPlacement = 0, m_beam = 0;
    std::vector<int> m_bars;
    std::vector<int> m_properties;
};

std::string upper(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

} // namespace

std::string_view schemaName(IfcSchema schema) {
    return schema == IfcSchema::Ifc4x3 ? "IFC4X3_ADD2" : "IFC4";
}

std::optional<IfcSchema> schemaByName(std::string_view name) {
    const std::string key = upper(name);
    if (key == "IFC4X3" || key == "IFC4X3_ADD2")
        return IfcSchema::Ifc4x3;
    if (key == "IFC4")
        return IfcSchema::Ifc4;
    return std::nullopt;
}

std::optional<BridgePart> bridgePartByName(std::string_view name) {
    const std::string key = upper(name);
    if (key == "PIER")
        return BridgePart::Pier;
    if (key == "ABUTMENT")
        return BridgePart::Abutment;
    return std::nullopt;
}

std::string ifcText(const IfcDesign& design, const IfcFileFacts& facts) {
    return IfcWriter(design, facts).write();
}

} // namespace haltrix::model
