#include "SkinFieldVisitor.h"

#include "skin/data/SkinValues.h"

namespace tolvar {

void SkinFieldLoader::Field(std::string_view key, int32_t& field, int32_t def) {
    field = ParseInteger(Value(key), def);
}
void SkinFieldLoader::Field(std::string_view key, Color& field, Color def) {
    field = Color(ParseInteger(Value(key), int32_t(def)));
}
void SkinFieldLoader::Field(std::string_view key, bool& field) { field = ParseBoolean(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, Rect& field) { field = ParseRect(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, Point& field) { field = ParsePoint(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, std::string& field, std::string_view def) {
    const std::string* v = Value(key);
    field = v ? std::string_view(*v) : def;
}
void SkinFieldLoader::Field(std::string_view key, FontStyles& field) { field = ParseFontStyles(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, StretchMode& field) { field = ParseStretchMode(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, MorphMode& field) { field = ParseMorphMode(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, TextAlign& field) { field = ParseTextAlign(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, ButtonCommand& field) { field = ParseCommand(Value(key)); }
void SkinFieldLoader::Field(std::string_view key, InactiveEffect& field) { field = ParseInactiveEffect(Value(key)); }

void SkinFieldSaver::Field(std::string_view key, int32_t& field, int32_t) { d_.WriteInteger(section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, Color& field, Color) {
    // Written as the signed integer the reader takes back (system colours come out negative).
    d_.WriteInteger(section_, key, int32_t(field));
}
void SkinFieldSaver::Field(std::string_view key, bool& field) { WriteBoolean(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, Rect& field) { WriteRect(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, Point& field) { WritePoint(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, std::string& field, std::string_view) {
    d_.WriteString(section_, key, field);
}
void SkinFieldSaver::Field(std::string_view key, FontStyles& field) { WriteFontStyles(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, StretchMode& field) { WriteStretchMode(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, MorphMode& field) { WriteMorphMode(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, TextAlign& field) { WriteTextAlign(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, ButtonCommand& field) { WriteCommand(d_, section_, key, field); }
void SkinFieldSaver::Field(std::string_view key, InactiveEffect& field) {
    WriteInactiveEffect(d_, section_, key, field);
}

namespace {
std::string Key(std::string_view prefix, std::string_view key) { return std::string(prefix) + std::string(key); }
}  // namespace

void VisitFont(SkinFieldVisitor& v, std::string_view prefix, std::string& name, FontStyles& style, int32_t& height,
               Color& color) {
    v.Field(Key(prefix, "fontname"), name, "Arial");
    v.Field(Key(prefix, "fontstyle"), style);
    v.Field(Key(prefix, "fontheight"), height, 14);
    v.Field(Key(prefix, "fontcolor"), color);
}

void VisitPiece(SkinFieldVisitor& v, std::string_view prefix, Point& leftTop, Point& rightTop, Point& leftBottom,
                Point& rightBottom) {
    v.Field(Key(prefix, "lefttoppoint"), leftTop);
    v.Field(Key(prefix, "righttoppoint"), rightTop);
    v.Field(Key(prefix, "leftbottompoint"), leftBottom);
    v.Field(Key(prefix, "rightbottompoint"), rightBottom);
}

}  // namespace tolvar
