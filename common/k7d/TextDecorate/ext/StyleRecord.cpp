#include "StyleRecord.h"

#include <cstdint>

#include "K7DataColor.h"
#include "K7DataGroup.h"
#include "K7DataNumber.h"
#include "K7DataPosition.h"
#include "K7DataText.h"

namespace {

K7DataBase* first(K7DataGroup& group, const std::string& tag) {
    const std::vector<K7DataBase*>& records = group.getContents(tag);
    return records.empty() ? nullptr : records.front();
}

template <typename T>
bool readNumber(const K7DataBase* record, std::optional<double>& value) {
    const auto* number = dynamic_cast<const K7DataNumber<T>*>(record);
    if (number != nullptr) value = static_cast<double>(number->getContents());
    return number != nullptr;
}

template <typename T>
bool readPosition(const K7DataBase* record, std::optional<std::pair<double, double>>& value) {
    const auto* position = dynamic_cast<const K7DataPosition<T>*>(record);
    if (position != nullptr) {
        value = std::make_pair(static_cast<double>(position->getContents().x),
                               static_cast<double>(position->getContents().y));
    }
    return position != nullptr;
}

template <typename... Numbers>
std::optional<double> numberAs(const K7DataBase* record) {
    std::optional<double> value;
    (readNumber<Numbers>(record, value) || ...);
    return value;
}

template <typename... Coordinates>
std::optional<std::pair<double, double>> positionAs(const K7DataBase* record) {
    std::optional<std::pair<double, double>> value;
    (readPosition<Coordinates>(record, value) || ...);
    return value;
}

}  // namespace

std::optional<double> StyleRecord::number(K7DataGroup& group, const std::string& tag) {
    return numberAs<uint8_t, uint16_t, uint32_t, uint64_t, int16_t, int64_t, float>(first(group, tag));
}

std::optional<_K7D_STR_COLOR> StyleRecord::color(K7DataGroup& group, const std::string& tag) {
    if (const auto* record = dynamic_cast<const K7DataColor*>(first(group, tag))) return record->getContents();
    return std::nullopt;
}

std::optional<std::pair<double, double>> StyleRecord::position(K7DataGroup& group, const std::string& tag) {
    return positionAs<uint16_t, uint32_t, float, double>(first(group, tag));
}

std::optional<std::string> StyleRecord::text(K7DataGroup& group, const std::string& tag) {
    if (const auto* record = dynamic_cast<const K7DataText*>(first(group, tag))) return record->getContents();
    return std::nullopt;
}
