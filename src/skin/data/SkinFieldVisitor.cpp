#include "SkinFieldVisitor.h"

#include "skin/data/SkinValues.h"

namespace tolvar {

void SkinFieldLoader::Field(std::string_view key, int32_t& field, int32_t def) {
    field = d_.ReadInteger(section_, key, def);
}
void SkinFieldLoader::Field(std::string_view key, Color& field, Color def) {
    field = Color(d_.ReadInteger(section_, key, int32_t(def)));
}
void SkinFieldLoader::Field(std::string_view key, bool& field) { field = ReadBoolean(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, Rect& field) { field = ReadRect(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, Point& field) { field = ReadPoint(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, std::string& field, std::string_view def) {
    field = d_.ReadString(section_, key, def);
}
void SkinFieldLoader::Field(std::string_view key, FontStyles& field) { field = ReadFontStyles(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, StretchMode& field) { field = ReadStretchMode(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, MorphMode& field) { field = ReadMorphMode(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, TextAlign& field) { field = ReadTextAlign(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, ButtonCommand& field) { field = ReadCommand(d_, section_, key); }
void SkinFieldLoader::Field(std::string_view key, InactiveEffect& field) {
    field = ReadInactiveEffect(d_, section_, key);
}

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

}  // namespace tolvar
