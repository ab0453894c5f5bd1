#include "GLPointOrganizer.h"

#include <algorithm>
#include <cmath>

#include "BaseDesign.h"
#include "DesignController.h"
#include "DesignRecord.h"
#include "GLIconTextObject.h"
#include "GLQuadIconModel.h"
#include "GLQuadTextModel.h"
#include "K7DataDfg.h"
#include "K7DataGroup.h"
#include "K7DataNumber.h"
#include "K7DataPoint.h"
#include "K7DataText.h"
#include "MaskArea.h"
#include "TextDesign.h"
#include "TextureAtlasBuffer.h"
#include "UnitConvertor.h"

namespace qiv {

namespace {

constexpr double RADIANS_PER_DEGREE = 0.017453292519943295;
constexpr double SQRT2 = 1.4142135623730951;
constexpr size_t ICONS_PER_ROW = 5;
// The collision bitmap spans one screen beyond each edge of the surface.
constexpr int MASK_SCREENS = 3;

int truncated(double value) { return static_cast<int>(value); }

}  // namespace

GLPointOrganizer::GLPointOrganizer()
    : m_mask(std::make_shared<MaskArea>()), m_iconModel(std::make_shared<GLQuadIconModel>()) {}

GLPointOrganizer::~GLPointOrganizer() = default;

void GLPointOrganizer::clear() {
    m_userIconBuffers.clear();
    m_userTextBuffers.clear();
}

void GLPointOrganizer::clearBuffer() {
    m_priorityMap.clear();
    m_iconModel->clear();
    m_iconDirty = true;
    m_textModels.clear();
    m_atlasSize.clear();
    m_userPoints.clear();
    m_textAtlasInfo = nullptr;
}

void GLPointOrganizer::setOverlapArea(int width, int height) {
    m_mask->clear();
    m_mask->init(std::max(width, 0) * MASK_SCREENS, std::max(height, 0) * MASK_SCREENS);
}

void GLPointOrganizer::setWindowSize(int width, int height) {
    m_windowWidth = width;
    m_windowHeight = height;
}

void GLPointOrganizer::setFragmentDistance(double x, double y) {
    m_fragmentDistance[0] = x;
    m_fragmentDistance[1] = y;
}

void GLPointOrganizer::setCamera(const GLCoord& camera, double rotation, double tilt) {
    m_camera = camera;
    m_rotation = rotation;
    m_tilt = tilt;
}

void GLPointOrganizer::setNormalizePoint(double x, double y) {
    m_normalizePoint[0] = x;
    m_normalizePoint[1] = y;
}

void GLPointOrganizer::setVisibleRegion(const GLCoord* corners) {
    cornerBounds(corners, 4, m_visibleMin, m_visibleMax);
}

void GLPointOrganizer::setTextureAtlasImage(const AtlasImageMap& images) {
    m_atlasSize.clear();
    for (const auto& [key, atlases] : images) {
        for (size_t i = 0; i < atlases.size(); ++i) {
            m_atlasSize[{key, static_cast<uint16_t>(i)}] = std::max(atlases[i].width, atlases[i].height);
        }
    }
}

void GLPointOrganizer::parsePointData(K7DataBase* record) {
    auto* group = dynamic_cast<K7DataGroup*>(record);
    if (group && group->getType() == "mag") parseIconTextData(*group);
}

const std::vector<BaseDesign*>& GLPointOrganizer::findDesigns(K7DataGroup& record) const {
    static const std::vector<BaseDesign*> none;
    const auto category = DesignRecord::value<K7DataText>(record, "dcn");
    if (!category) return none;
    const auto level = static_cast<uint8_t>(std::min<size_t>(m_key.size(), UINT8_MAX));
    return DesignController::getDesign(m_designName, level, *category);
}

std::vector<textureInfo> GLPointOrganizer::getIconList(K7DataGroup& record) const {
    std::vector<textureInfo> icons;
    const std::vector<BaseDesign*>& designs = findDesigns(record);
    if (designs.empty() || designs.front()->getType() != BaseDesign::TEXT) return icons;
    for (uint16_t number : static_cast<const TextDesign*>(designs.front())->getIconNumbers()) {
        const auto found = m_textureInfo.find(number);
        if (found != m_textureInfo.end()) icons.push_back(found->second);
    }
    return icons;
}

void GLPointOrganizer::calculateIconOffset(std::vector<textureInfo>& icons) const {
    std::vector<double> widths;
    std::vector<double> heights;
    for (const textureInfo& icon : icons) {
        const double side = icon.iconSize / SQRT2;
        widths.push_back(side / std::max<double>(icon.aspect, 1.0));
        heights.push_back(side * std::min<double>(icon.aspect, 1.0));
    }
    std::vector<double> rowWidths;
    std::vector<double> rowHeights;
    for (size_t k = 0; k < icons.size(); ++k) {
        if (k % ICONS_PER_ROW == 0) {
            rowWidths.push_back(0.0);
            rowHeights.push_back(0.0);
        }
        rowWidths.back() += widths[k];
        rowHeights.back() = std::max(rowHeights.back(), heights[k]);
    }
    const double widest = rowWidths.empty() ? 0.0 : *std::max_element(rowWidths.begin(), rowWidths.end());
    double total = 0.0;
    for (double height : rowHeights) total += height;

    double x0 = 0.0;
    double y0 = 0.0;
    for (size_t k = 0; k < icons.size(); ++k) {
        if (k > 0 && k % ICONS_PER_ROW == 0) {
            x0 = 0.0;
            y0 += rowHeights[k / ICONS_PER_ROW - 1];
        }
        icons[k].offsetX = static_cast<float>(m_resolutionFactor * (x0 + widths[k] / 2 - widest / 2));
        icons[k].offsetY = static_cast<float>(m_resolutionFactor * (y0 + heights[k] / 2 - total / 2));
        x0 += widths[k];
    }
}

void GLPointOrganizer::parseIconTextData(K7DataGroup& record) {
    std::vector<textureInfo> icons = getIconList(record);
    calculateIconOffset(icons);
    const std::vector<BaseDesign*>& designs = findDesigns(record);
    if (designs.empty()) return;
    LabelStyle style;
    style.priority = designs.front()->getDepth();
    if (designs.front()->getType() == BaseDesign::TEXT) {
        style.flagPosition = static_cast<const TextDesign*>(designs.front())->getDisplayFlagPosition();
    }
    K7DataGroup* labels = DesignRecord::firstCategory(record);
    if (!labels) return;
    for (K7DataBase* child : labels->getContents()) {
        auto* group = dynamic_cast<K7DataGroup*>(child);
        if (!group) continue;
        const LabelRecord fields = readLabelRecord(*group);
        if (!checkDisplayFlag(fields, style.flagPosition)) continue;
        std::shared_ptr<GLIconTextObject> label = makeLabel();
        if (placeLabel(*label, fields, icons)) sortPriorityOrderData(style.priority, label);
    }
}

std::shared_ptr<GLIconTextObject> GLPointOrganizer::makeLabel() const {
    auto label = std::make_shared<GLIconTextObject>();
    label->setVisibleRegion(m_visibleMin, m_visibleMax);
    label->setResolutionFactor(m_resolutionFactor);
    label->setOffset(static_cast<unsigned>(m_normalizePoint[0]), static_cast<unsigned>(m_normalizePoint[1]));
    return label;
}

GLPointOrganizer::LabelRecord GLPointOrganizer::readLabelRecord(K7DataGroup& group) {
    LabelRecord fields;
    for (K7DataBase* child : group.getContents()) {
        const std::string tag = child->getType();
        if (tag == "pt4" && !fields.point) {
            fields.point = dynamic_cast<K7DataPoint<uint32_t>*>(child);
        } else if (tag == "agl" && !fields.angle) {
            if (auto* angle = dynamic_cast<K7DataNumber<float>*>(child)) fields.angle = angle->getContents();
        } else if (tag == "adp" && !fields.position) {
            if (auto* position = dynamic_cast<K7DataNumber<uint8_t>*>(child)) fields.position = position->getContents();
        } else if (tag == "sat") {
            fields.station = fields.station || dynamic_cast<K7DataText*>(child) != nullptr;
        } else if (tag == "oid" && !fields.oid) {
            if (auto* oid = dynamic_cast<K7DataNumber<uint64_t>*>(child)) fields.oid = oid->getContents();
        } else if (tag == "dfg" && !fields.flags) {
            if (auto* flags = dynamic_cast<K7DataSimple<K7D_STR_DFG>*>(child)) fields.flags = flags->getContents();
        }
    }
    return fields;
}

bool GLPointOrganizer::placeLabel(GLIconTextObject& label, const LabelRecord& record,
                                  const std::vector<textureInfo>& icons) {
    K7DataPoint<uint32_t>* point = record.point;
    if (!point || !label.setVertices(point)) return false;
    setAnchor(label, point->getContents().x(), point->getContents().y());
    if (!icons.empty()) label.setIconInformation(icons);
    readLabelAttributes(label, record, m_rotation);
    label.setKey(m_key);
    if (!setTextAtlasInfo(label)) return false;
    label.calculateTextPixelOffset();
    return true;
}

void GLPointOrganizer::setAnchor(GLIconTextObject& label, double x, double y) const {
    const Point screen = UnitConvertor::FourByte2Screen(x, y, m_camera, m_rotation, m_tilt, m_fragmentDistance[0],
                                                        m_fragmentDistance[1], m_windowWidth, m_windowHeight);
    label.setAnchorPoint(std::make_shared<GLCoord>(screen.x, screen.y, 0.0, true));
    const double half = m_windowHeight / 2.0;
    if (half > 0.0) {
        label.setDepthFactor(1.0 + m_zFactorRate * std::sin(m_tilt * RADIANS_PER_DEGREE) * (screen.y - half) / half);
    }
}

void GLPointOrganizer::readLabelAttributes(GLIconTextObject& label, const LabelRecord& record, double rotation) {
    if (record.angle) label.setAngle(*record.angle != 0.0f ? static_cast<float>(rotation - *record.angle) : 0.0f);
    if (record.position) label.setTextPosition(*record.position);
    if (record.station) label.setTextPosition(GLIconTextObject::TEXT_CENTER);
    if (record.oid) label.setObjectId(*record.oid);
}

bool GLPointOrganizer::setTextAtlasInfo(GLIconTextObject& label) const {
    if (!m_textAtlasInfo) return false;
    const auto tile = m_textAtlasInfo->find(m_key);
    if (tile == m_textAtlasInfo->end()) return false;
    for (const _TextAtlasInfo& placement : tile->second) {
        if (placement.key == label.getObjectId()) {
            label.addTextAtlasInfo(placement);
            label.setAtlasNo(placement.atlas);
            break;
        }
    }
    return true;
}

bool GLPointOrganizer::checkDisplayFlag(const LabelRecord& record, const std::optional<uint8_t>& flagPosition) {
    const std::optional<K7D_STR_DFG>& flags = record.flags;
    if (!flags || !flagPosition || *flagPosition < 1 || *flagPosition > K7D_STR_DFG::COUNT) return true;
    return flags->flag[*flagPosition - 1];
}

void GLPointOrganizer::sortPriorityOrderData(float priority, const std::shared_ptr<GLIconTextObject>& label) {
    m_priorityMap[priority].push_back(label);
}

void GLPointOrganizer::registratePointData() {
    for (const auto& [priority, labels] : m_priorityMap) {
        for (const std::shared_ptr<GLIconTextObject>& label : labels) {
            const bool placed = checkOverlappingPoint(*label);
            if (label->isUserObject()) {
                label->setUserVisible(placed);
            } else if (placed) {
                saveGLPointData(*label);
            }
        }
    }
    m_iconDirty = true;
}

bool GLPointOrganizer::checkOverlappingPoint(GLIconTextObject& label) {
    const bool hasIcons = !label.getIconInformation().empty();
    const bool hasText = !label.getTextAtlasInfo().empty();
    if (hasIcons && !label.isForce() && !checkOverlappingIcon(label, hasText)) return false;
    if (!hasText || label.isForce()) return true;
    return checkOverlappingText(label, hasIcons);
}

bool GLPointOrganizer::checkOverlappingIcon(GLIconTextObject& label, bool hasText) {
    if (!checkBox(label.getIconBoundingBox(), label.getAngle())) return false;
    if (!hasText) maskBox(label.getIconBoundingBox(), label.getAngle());
    return true;
}

bool GLPointOrganizer::checkOverlappingText(GLIconTextObject& label, bool hasIcons) {
    if (!checkBox(label.getTextBoundingBox(), label.getAngle())) return false;
    maskBox(label.getTextBoundingBox(), label.getAngle());
    if (hasIcons) maskBox(label.getIconBoundingBox(), label.getAngle());
    return true;
}

// Boxes are left, top, width, height in screen pixels; the bitmap starts one
// screen to the left of and above the surface.
bool GLPointOrganizer::checkBox(const double* box, float angle) const {
    const int x = truncated(box[0]);
    const int y = truncated(box[1]);
    if (x + m_windowWidth < 0 || y + m_windowHeight < 0) return false;
    return m_mask->check(m_windowWidth + x, m_windowHeight + y, static_cast<unsigned>(std::max(truncated(box[2]), 0)),
                         static_cast<unsigned>(std::max(truncated(box[3]), 0)), angle);
}

void GLPointOrganizer::maskBox(const double* box, float angle) {
    m_mask->mask(m_windowWidth + truncated(box[0]), m_windowHeight + truncated(box[1]),
                 static_cast<unsigned>(std::max(truncated(box[2]), 0)),
                 static_cast<unsigned>(std::max(truncated(box[3]), 0)), angle);
}

void GLPointOrganizer::reserveMaskArea(const std::vector<BoundingBox4>& boxes) {
    for (const BoundingBox4& box : boxes) {
        const Point first = UnitConvertor::FourByte2Screen(box.west, box.south, m_camera, m_rotation, m_tilt,
                                                           m_fragmentDistance[0], m_fragmentDistance[1],
                                                           m_windowWidth, m_windowHeight);
        const Point second = UnitConvertor::FourByte2Screen(box.east, box.north, m_camera, m_rotation, m_tilt,
                                                            m_fragmentDistance[0], m_fragmentDistance[1],
                                                            m_windowWidth, m_windowHeight);
        const double rectangle[4] = {static_cast<double>(first.x), static_cast<double>(second.y),
                                     static_cast<double>(std::abs(second.x - first.x)),
                                     static_cast<double>(std::abs(second.y - first.y))};
        maskBox(rectangle, 0.0f);
    }
}

void GLPointOrganizer::saveGLPointData(const GLIconTextObject& label) {
    const TextModelKey key{label.getKey(), label.getAtlasNo()};
    std::shared_ptr<GLQuadTextModel>& model = m_textModels[key];
    if (!model) model = std::make_shared<GLQuadTextModel>();
    const auto size = m_atlasSize.find(key);
    if (size != m_atlasSize.end()) saveTextData(*model, label, static_cast<float>(size->second));
    saveIconData(*m_iconModel, label);
}

void GLPointOrganizer::saveTextData(GLQuadTextModel& model, const GLIconTextObject& label, float atlasSize) const {
    const std::shared_ptr<float>& vertex = label.getVertex();
    if (!vertex || atlasSize <= 0.0f) return;
    const std::vector<_TextAtlasInfo>& placements = label.getTextAtlasInfo();
    const std::vector<std::shared_ptr<float>>& offsets = label.getTextPixelOffsets();
    for (size_t i = 0; i < placements.size() && i < offsets.size(); ++i) {
        const _TextAtlasInfo& placement = placements[i];
        if (placement.w == 0) continue;
        const float side = static_cast<float>(std::max(placement.w, placement.h) * SQRT2);
        PointObjectData sprite;
        sprite.x = vertex.get()[0];
        sprite.y = vertex.get()[1];
        sprite.z = vertex.get()[2];
        sprite.textureSizeU = side / atlasSize;
        sprite.textureSizeV = sprite.textureSizeU;
        sprite.pointSize = static_cast<float>(label.getDepthFactor() * m_resolutionFactor * side);
        sprite.pixelOffsetX = offsets[i].get()[0];
        sprite.pixelOffsetY = offsets[i].get()[1];
        sprite.textureOffsetU = (placement.x - (side - placement.w) / 2) / atlasSize;
        sprite.textureOffsetV = (placement.y - (side - placement.h) / 2) / atlasSize;
        sprite.aspect = static_cast<float>(placement.h) / placement.w;
        sprite.angle = label.getAngle();
        sprite.atlasSize = atlasSize;
        model.addObject(sprite);
    }
}

void GLPointOrganizer::saveIconData(GLQuadIconModel& model, const GLIconTextObject& label) const {
    const std::shared_ptr<float>& vertex = label.getVertex();
    if (!vertex) return;
    const double depth = label.getDepthFactor();
    const double scale = label.getIconScale() != 0.0f ? label.getIconScale() : 1.0;
    for (const textureInfo& icon : label.getIconInformation()) {
        PointObjectData sprite;
        sprite.x = vertex.get()[0];
        sprite.y = vertex.get()[1];
        sprite.z = vertex.get()[2];
        sprite.textureSizeU = icon.sizeU;
        sprite.textureSizeV = icon.sizeV;
        sprite.pointSize = static_cast<float>(m_resolutionFactor * icon.iconSize * depth / scale);
        sprite.pixelOffsetX = static_cast<float>(icon.offsetX * depth);
        sprite.pixelOffsetY = static_cast<float>(icon.offsetY * depth);
        sprite.textureOffsetU = icon.offsetU;
        sprite.textureOffsetV = icon.offsetV;
        sprite.aspect = icon.aspect;
        sprite.angle = label.getAngle();
        sprite.atlasSize = icon.atlasSize;
        model.addObject(sprite);
    }
}

int GLPointOrganizer::getTextBufferSize(const std::string& key, uint16_t image) const {
    const auto found = m_textModels.find({key, image});
    return found == m_textModels.end() ? 0 : found->second->getCount();
}

unsigned GLPointOrganizer::getTextBufferID(const std::string& key, uint16_t image) {
    const auto found = m_textModels.find({key, image});
    if (found == m_textModels.end()) return 0;
    return upload(m_textBuffer, *found->second);
}

int GLPointOrganizer::getIconBufferSize() const { return m_iconModel->getCount(); }

unsigned GLPointOrganizer::getIconBufferID() {
    if (!m_iconDirty && m_iconBuffer) return m_iconBuffer->getBufferID();
    m_iconDirty = false;
    return upload(m_iconBuffer, *m_iconModel);
}

// Uploads one model into `buffer` (made on first use) and answers its GL name.
unsigned GLPointOrganizer::upload(std::shared_ptr<TextureAtlasBuffer>& buffer, const GLQuadPointModel& model) {
    if (!buffer) buffer = std::make_shared<TextureAtlasBuffer>();
    buffer->update(model.getData(), model.getCount());
    return buffer->getBufferID();
}

bool GLPointOrganizer::registrateUserPointData(const std::shared_ptr<GLObject>& object) {
    auto label = std::dynamic_pointer_cast<GLIconTextObject>(object);
    if (!label) return false;
    label->setVisibleRegion(m_visibleMin, m_visibleMax);
    label->setResolutionFactor(m_resolutionFactor);
    label->setOffset(static_cast<unsigned>(m_normalizePoint[0]), static_cast<unsigned>(m_normalizePoint[1]));
    const std::vector<double>& position = label->getUserOriginalVertices();
    if (!label->setVertices(position)) return false;
    setAnchor(*label, position[0], position[1]);
    std::vector<textureInfo> icons = label->getUserIconList();
    calculateIconOffset(icons);
    if (!icons.empty()) label->setIconInformation(icons);
    label->calculateTextPixelOffset();
    calculate4byteBoundingBox(*label);
    if (!label->getVisibleFlag()) return false;
    sortPriorityOrderData(label->getZindex(), label);
    m_userPoints.push_back(label);
    return true;
}

void GLPointOrganizer::calculate4byteBoundingBox(GLIconTextObject& label) const {
    const bool hasIcons = !label.getIconInformation().empty();
    const bool hasText = !label.getTextAtlasInfo().empty();
    if (!hasIcons && !hasText) return;
    int left = INT32_MAX;
    int top = INT32_MAX;
    int right = INT32_MIN;
    int bottom = INT32_MIN;
    for (const double* box : {hasIcons ? label.getIconBoundingBox() : nullptr,
                              hasText ? label.getTextBoundingBox() : nullptr}) {
        if (!box) continue;
        left = std::min(left, truncated(box[0]));
        top = std::min(top, truncated(box[1]));
        right = std::max(right, truncated(box[0] + box[2]));
        bottom = std::max(bottom, truncated(box[1] + box[3]));
    }
    Point corners[4] = {Point(left, bottom), Point(right, bottom), Point(right, top), Point(left, top)};
    const int degrees = truncated(label.getAngle());
    if (degrees % 360 != 0) {
        const double radians = degrees * RADIANS_PER_DEGREE;
        const int cx = (left + right) / 2;
        const int cy = (top + bottom) / 2;
        for (Point& corner : corners) {
            const double x = corner.x - cx;
            const double y = corner.y - cy;
            corner = Point(cx + truncated(std::cos(radians) * x - std::sin(radians) * y),
                           cy + truncated(std::sin(radians) * x + std::cos(radians) * y));
        }
    }
    std::vector<double> ring;
    for (int i = 0; i <= 4; ++i) {
        const GLCoord world = UnitConvertor::screen2FourByte(corners[i % 4], m_camera, m_rotation, m_tilt,
                                                             m_fragmentDistance[0], m_fragmentDistance[1],
                                                             m_windowWidth, m_windowHeight);
        ring.push_back(world.x);
        ring.push_back(world.y);
    }
    label.setUserPointBoundingBox4(ring);
}

std::vector<std::shared_ptr<GLIconTextObject>> GLPointOrganizer::getDrawableUserPoint() {
    clear();
    std::vector<std::shared_ptr<GLIconTextObject>> drawable;
    for (const std::shared_ptr<GLIconTextObject>& label : m_userPoints) {
        if (!label->getVisibleFlag()) continue;
        GLQuadTextModel text;
        GLQuadIconModel icons;
        saveTextData(text, *label, static_cast<float>(label->getTextAtlasSize()));
        saveIconData(icons, *label);
        if (icons.getCount() > 0) {
            m_userIconBuffers.emplace_back();
            upload(m_userIconBuffers.back(), icons);
            label->setIconBufferIndex(static_cast<int>(m_userIconBuffers.size()) - 1);
        }
        if (text.getCount() > 0) {
            m_userTextBuffers.emplace_back();
            upload(m_userTextBuffers.back(), text);
            label->setTextBufferIndex(static_cast<int>(m_userTextBuffers.size()) - 1);
        }
        drawable.push_back(label);
    }
    m_userPoints.clear();
    return drawable;
}

unsigned GLPointOrganizer::getUserTextBufferIDs(int index) const {
    if (index < 0 || index >= static_cast<int>(m_userTextBuffers.size())) return 0;
    return m_userTextBuffers[static_cast<size_t>(index)]->getBufferID();
}

}  // namespace qiv
