#ifndef TOLKMAPS_K7D_K7DATANAMED_H
#define TOLKMAPS_K7D_K7DATANAMED_H

// A value class with a fixed tag: its constructor and setType() set the tag;
// its type code is its base's. The named record classes derive from it.
template <typename Base, char A, char B, char C>
class K7DataNamed : public Base {
public:
    // The fixed tag, three characters and a terminating 0.
    static const char* tag() {
        static constexpr char text[4] = {A, B, C, '\0'};
        return text;
    }

    K7DataNamed() { K7DataNamed::setType(); }
    // Decodes one encoded record; the tag then comes from the data.
    explicit K7DataNamed(const char* record) { this->setBinary(record); }

    using Base::setType;
    void setType() override { Base::setType(tag()); }
};

#endif
