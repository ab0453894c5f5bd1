#ifndef TOLKMAPS_K7D_K7DATASIMPLE_H
#define TOLKMAPS_K7D_K7DATASIMPLE_H

#include "K7DataBase.h"
#include "K7D_STR_CLM.h"
#include "K7D_STR_DFG.h"
#include "K7D_STR_DTY.h"
#include "K7D_STR_IML.h"
#include "K7D_STR_LEY.h"
#include "K7D_STR_VRS.h"

// A record whose value is one small structure S; S gives its type code, its
// encoded size and its encoding.
template <typename S>
class K7DataSimple : public K7DataBase {
public:
    K7DataSimple() {
        K7DataSimple::setMajorType();
        K7DataSimple::setSize();
    }
    explicit K7DataSimple(const char* record) : K7DataSimple() { setBinary(record); }

    const S& getContents() const { return m_value; }
    S& editContents() { return m_value; }

    void setSize() override { m_size = m_value.encodedSize(); }
    void makeBinary(char* out) override { m_value.encode(out); }
    void setMajorType() override { m_majorType = S::CODE; }

protected:
    bool decodeContent(const char* content, size_t offset, unsigned) override {
        if (m_value.decode(content, m_size)) return true;
        return refuseLength(offset);
    }
    void resetValue() override { m_value = S(); }

private:
    S m_value;
};

extern template class K7DataSimple<K7D_STR_VRS>;
extern template class K7DataSimple<K7D_STR_DTY>;
extern template class K7DataSimple<K7D_STR_CLM>;
extern template class K7DataSimple<K7D_STR_IML>;
extern template class K7DataSimple<K7D_STR_DFG>;
extern template class K7DataSimple<K7D_STR_LEY>;

#endif
