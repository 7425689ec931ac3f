#pragma once
#include <string>
#include <string_view>

#include "base/Geometry.h"
#include "skin/data/SkinDescription.h"
#include "skin/data/SkinTypes.h"

namespace tolvar {

// Every record names its fields once, with their keys and defaults, to a visitor; loading
// and saving are two visitors. A field's default is what its key yields when absent.
class SkinFieldVisitor {
public:
    virtual ~SkinFieldVisitor() = default;
    // Integers and picture indices (pass -1 for an index).
    virtual void Field(std::string_view key, int32_t& field, int32_t def = 0) = 0;
    virtual void Field(std::string_view key, Color& field, Color def = 0) = 0;
    virtual void Field(std::string_view key, bool& field) = 0;
    virtual void Field(std::string_view key, Rect& field) = 0;
    virtual void Field(std::string_view key, Point& field) = 0;
    virtual void Field(std::string_view key, std::string& field, std::string_view def = {}) = 0;
    virtual void Field(std::string_view key, FontStyles& field) = 0;
    virtual void Field(std::string_view key, StretchMode& field) = 0;
    virtual void Field(std::string_view key, MorphMode& field) = 0;
    virtual void Field(std::string_view key, TextAlign& field) = 0;
    virtual void Field(std::string_view key, ButtonCommand& field) = 0;
    virtual void Field(std::string_view key, InactiveEffect& field) = 0;
};

// Reads every field from one section.
class SkinFieldLoader : public SkinFieldVisitor {
public:
    SkinFieldLoader(const SkinDescription& d, std::string_view section) : section_(d.FindSection(section)) {}
    void Field(std::string_view key, int32_t& field, int32_t def = 0) override;
    void Field(std::string_view key, Color& field, Color def = 0) override;
    void Field(std::string_view key, bool& field) override;
    void Field(std::string_view key, Rect& field) override;
    void Field(std::string_view key, Point& field) override;
    void Field(std::string_view key, std::string& field, std::string_view def = {}) override;
    void Field(std::string_view key, FontStyles& field) override;
    void Field(std::string_view key, StretchMode& field) override;
    void Field(std::string_view key, MorphMode& field) override;
    void Field(std::string_view key, TextAlign& field) override;
    void Field(std::string_view key, ButtonCommand& field) override;
    void Field(std::string_view key, InactiveEffect& field) override;

private:
    const std::string* Value(std::string_view key) const { return SkinDescription::FindValue(section_, key); }
    const SkinDescription::Section* section_;  // looked up once for all the fields
};

// Writes every field, in the written forms, into one section.
class SkinFieldSaver : public SkinFieldVisitor {
public:
    SkinFieldSaver(SkinDescription& d, std::string_view section) : d_(d), section_(section) {}
    void Field(std::string_view key, int32_t& field, int32_t def = 0) override;
    void Field(std::string_view key, Color& field, Color def = 0) override;
    void Field(std::string_view key, bool& field) override;
    void Field(std::string_view key, Rect& field) override;
    void Field(std::string_view key, Point& field) override;
    void Field(std::string_view key, std::string& field, std::string_view def = {}) override;
    void Field(std::string_view key, FontStyles& field) override;
    void Field(std::string_view key, StretchMode& field) override;
    void Field(std::string_view key, MorphMode& field) override;
    void Field(std::string_view key, TextAlign& field) override;
    void Field(std::string_view key, ButtonCommand& field) override;
    void Field(std::string_view key, InactiveEffect& field) override;

private:
    SkinDescription& d_;
    std::string section_;
};

// The field groups many records share, under their stored keys: a font (fontname, fontstyle,
// fontheight, fontcolor) and the corner points of a piece (lefttoppoint, righttoppoint,
// leftbottompoint, rightbottompoint), each key with a prefix where a record has a second group
// ("caption", "hittest").
void VisitFont(SkinFieldVisitor& v, std::string_view prefix, std::string& name, FontStyles& style, int32_t& height,
               Color& color);
void VisitPiece(SkinFieldVisitor& v, std::string_view prefix, Point& leftTop, Point& rightTop, Point& leftBottom,
                Point& rightBottom);

// A record's load and save over one section: every field read from it, or the section written
// anew with every field.
template <class Record>
void LoadFields(Record& record, const SkinDescription& d, std::string_view section) {
    SkinFieldLoader loader(d, section);
    record.VisitFields(loader);
}
template <class Record>
void SaveFields(Record& record, SkinDescription& d, std::string_view section) {
    d.EraseSection(section);
    SkinFieldSaver saver(d, section);
    record.VisitFields(saver);
}

}  // namespace tolvar
