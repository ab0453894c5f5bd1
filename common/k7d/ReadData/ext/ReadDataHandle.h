#ifndef TOLKMAPS_K7D_READDATAHANDLE_H
#define TOLKMAPS_K7D_READDATAHANDLE_H

#include <cstdint>
#include <memory>

#include "HandleBase.h"
#include "ReadDataBase.h"
#include "ReadDataType.h"

// Makes the reader of a data type and holds it under shared ownership:
// 1 JSON records, 2 geodata (unsupported), 4 master tables (unsupported),
// 5 map sheets (unsupported), 7 (unsupported), 12 design tables, 13 text
// lines, and the binary record reader for 0, 8 and every other value.
class ReadDataHandle : public HandleBase<ReadDataBase> {
public:
    // The second argument is not used.
    explicit ReadDataHandle(DATA_TYPE type, uint16_t unused = 0);
    ~ReadDataHandle() override;

private:
    static std::shared_ptr<ReadDataBase> makeReader(DATA_TYPE type);
};

#endif
