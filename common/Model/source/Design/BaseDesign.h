#ifndef TOLKMAPS_MODEL_BASEDESIGN_H
#define TOLKMAPS_MODEL_BASEDESIGN_H

#include <cstdint>
#include <string>

class K7DataGroup;

namespace qiv {

// How one data category is drawn at one scale level. The kind says which
// subclass it is: POLYLINE (LineDesign), POLYGON (PolygonDesign) or TEXT
// (TextDesign). Designs are made once by the design controller and only read
// afterwards, from any thread.
class BaseDesign {
public:
    static const std::string POLYLINE;
    static const std::string POLYGON;
    static const std::string TEXT;

    virtual ~BaseDesign();
    BaseDesign(const BaseDesign&) = delete;
    BaseDesign& operator=(const BaseDesign&) = delete;

    // Reads the design name ("dcn") and scale level ("scl") of a design
    // group; false, with a log line, when either is missing.
    virtual bool convert(K7DataGroup* group);

    const std::string& getType() const { return m_type; }
    const std::string& getName() const { return m_name; }
    uint8_t getScaleLevel() const { return m_scaleLevel; }
    // Drawing order among the designs of one scale level, from 0 in steps of 0.1.
    float getDepth() const { return m_depth; }
    void setDepth(float depth) { m_depth = depth; }

protected:
    explicit BaseDesign(const std::string& type);
    BaseDesign(const std::string& type, const std::string& name, uint8_t scaleLevel);

    std::string m_type;
    std::string m_name;
    uint8_t m_scaleLevel = 0;
    float m_depth = 0.0f;
};

}  // namespace qiv

#endif
