#include "tests/render/recording_fake.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace quillant::render::fake {

std::vector<double> Arguments(const std::string& entry) {
    std::vector<double> args;
    size_t pos = entry.find('(') + 1;
    while (pos < entry.size()) {
        size_t used = 0;
        args.push_back(std::stod(entry.substr(pos), &used));
        pos += used + 1;
    }
    return args;
}

std::string Number(double value) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string Utf8(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit >= 0x20 && unit < 0x7F) {
            out += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(unit));
            out += escape;
        }
    }
    return out;
}

namespace {

std::string Numbers(std::initializer_list<double> values) {
    std::string out;
    for (const double value : values) {
        if (!out.empty()) out += ',';
        out += Number(value);
    }
    return out;
}

std::string Bool(bool value) { return value ? "True" : "False"; }

}  // namespace

// --- Recorder ---------------------------------------------------------------

void Recorder::FailOn(std::string member, int occurrence, VbError error) {
    faults_.push_back({std::move(member), occurrence, std::move(error)});
}

void Recorder::FailAtCall(int call, VbError error) { callFault_ = Fault{{}, call, std::move(error)}; }

void Recorder::Record(const std::string& member, std::string entry) {
    const int occurrence = ++calls_[member];
    ++objectCalls_;
    log.push_back(std::move(entry));
    for (const Fault& fault : faults_) {
        if (fault.member == member && fault.occurrence == occurrence) throw fault.error;
    }
    if (callFault_ && callFault_->occurrence == objectCalls_) throw callFault_->error;
}

std::vector<std::string> Recorder::Matching(std::string_view prefix) const {
    std::vector<std::string> out;
    for (const auto& entry : log) {
        if (std::string_view(entry).substr(0, prefix.size()) == prefix) out.push_back(entry);
    }
    return out;
}

// --- FakeObject -------------------------------------------------------------

FakeObject::FakeObject(Recorder& recorder, std::string name) : recorder_(recorder), name_(std::move(name)) {}

void FakeObject::Record(std::string_view member, std::string args) {
    std::string key = name_.empty() ? std::string(member) : name_ + "." + std::string(member);
    recorder_.Record(key, key + args);
}

bool FakeObject::IsPrinter() { return printer; }

double FakeObject::CurrentX() {
    Record("CurrentX");
    return x;
}
double FakeObject::CurrentY() {
    Record("CurrentY");
    return y;
}
void FakeObject::SetCurrentX(double value) {
    Record("CurrentX", "=" + Number(value));
    x = value;
}
void FakeObject::SetCurrentY(double value) {
    Record("CurrentY", "=" + Number(value));
    y = value;
}

void FakeObject::Line(LineStyle style, double x1, double y1, double x2, double y2, Color color) {
    Record("Line", "(" + Numbers({static_cast<double>(style), x1, y1, x2, y2, static_cast<double>(color)}) + ")");
    x = x2 + penDriftX;
    y = y2 + penDriftY;
}

void FakeObject::SetForeColor(Color color) { Record("ForeColor", "=" + std::to_string(color)); }
void FakeObject::SetDrawWidth(int16_t value) { Record("DrawWidth", "=" + std::to_string(value)); }
Color FakeObject::BackColor() {
    Record("BackColor");
    return backColor();
}
void FakeObject::SetBackColor(Color color) { Record("BackColor", "=" + std::to_string(color)); }
void FakeObject::SetFillColor(Color color) { Record("FillColor", "=" + std::to_string(color)); }

std::u16string FakeObject::FontName() {
    Record("FontName");
    return fontName;
}
void FakeObject::SetFontName(std::u16string_view name) {
    Record("FontName", "=" + Utf8(name));
    fontName = name;
}
double FakeObject::FontSize() {
    Record("FontSize");
    return adjustedFontSize.value_or(fontSize);
}
void FakeObject::SetFontSize(double points) {
    Record("FontSize", "=" + Number(points));
    fontSize = points;
}
bool FakeObject::FontBold() {
    Record("FontBold");
    return fontBold;
}
void FakeObject::SetFontBold(bool bold) {
    Record("FontBold", "=" + Bool(bold));
    fontBold = bold;
}
void FakeObject::SetFontItalic(bool italic) {
    Record("FontItalic", "=" + Bool(italic));
    fontItalic = italic;
}
bool FakeObject::FontItalic() {
    Record("FontItalic");
    return fontItalic;
}
bool FakeObject::FontUnderline() {
    Record("FontUnderline");
    return fontUnderline;
}
bool FakeObject::FontStrikethru() {
    Record("FontStrikethru");
    return fontStrikethru;
}

double FakeObject::TextWidth(std::u16string_view text) {
    Record("TextWidth", "(" + Utf8(text) + ")");
    return widthOf ? widthOf(text, fontName) : textWidth;
}
double FakeObject::TextHeight(std::u16string_view text) {
    Record("TextHeight", "(" + Utf8(text) + ")");
    return textHeight;
}
void FakeObject::Print(std::u16string_view text) {
    Record("Print", "(" + Utf8(text) + ")");
    // The line end puts the pen at the start of the next line.
    x = 0;
    y += textHeight;
}

DeviceContext FakeObject::Hdc() {
    Record("hdc");
    return hdc;
}

void FakeObject::PaintPicture(const Picture& picture, double x1, double y1, double w, double h) {
    const auto* fake = dynamic_cast<const FakePicture*>(&picture);
    const std::string name = fake ? "picture" + std::to_string(fake->serial) : "foreign picture";
    Record("PaintPicture", "(" + name + "," + Numbers({x1, y1, w, h}) + ")");
}

namespace {

// One pixel, or a length in twips scaled as the pixel is.
std::optional<double> Scaled(std::optional<double> pixel, double value, int16_t fromScale) {
    if (!pixel) return std::nullopt;
    constexpr int16_t kPixels = 3;
    return fromScale == kPixels ? value * *pixel : value * *pixel / 15.0;
}

}  // namespace

std::optional<double> FakeObject::ScaleX(double value, int16_t fromScale) {
    Record("ScaleX", "(" + Numbers({value, static_cast<double>(fromScale)}) + ")");
    return Scaled(pixelX, value, fromScale);
}

std::optional<double> FakeObject::ScaleY(double value, int16_t fromScale) {
    Record("ScaleY", "(" + Numbers({value, static_cast<double>(fromScale)}) + ")");
    return Scaled(pixelY, value, fromScale);
}

double FakeObject::Height() {
    Record("Height");
    return height;
}
void FakeObject::SetWidth(double twips) {
    Record("Width", "=" + Number(twips));
    width = twips;
}
void FakeObject::SetHeight(double twips) {
    Record("Height", "=" + Number(twips));
    height = twips;
}
void FakeObject::Cls() {
    Record("Cls");
    x = 0;
    y = 0;
}
std::unique_ptr<Picture> FakeObject::Image() {
    Record("Image");
    return std::make_unique<FakePicture>(++images_);
}

// --- FakeForm ---------------------------------------------------------------

ScratchPicture& FakeForm::Picture1() {
    if (!picture_) {
        recorder_.log.push_back("Form1.Load");
        picture_ = std::make_unique<FakeObject>(recorder_, "Picture1");
        picture_->hdc = 200;
        picture_->textWidth = 100;
    }
    return *picture_;
}

// --- FakeFontApi ------------------------------------------------------------

void FakeFontApi::Record(std::string entry) noexcept { recorder_.log.push_back("gdi." + std::move(entry)); }

bool FakeFontApi::Clean() const {
    if (!live.empty()) return false;
    return std::all_of(selected.begin(), selected.end(), [](const auto& s) { return s.second == kStockFont; });
}

int32_t FakeFontApi::SetGraphicsMode(DeviceContext dc, int32_t mode) noexcept {
    Record("SetGraphicsMode(" + std::to_string(dc) + "," + std::to_string(mode) + ")");
    return 1;
}

int32_t FakeFontApi::GetDeviceCaps(DeviceContext dc, int32_t index) noexcept {
    Record("GetDeviceCaps(" + std::to_string(dc) + "," + std::to_string(index) + ")");
    return dpi;
}

GdiHandle FakeFontApi::CreateFontIndirectA(const LogFontA& font) noexcept {
    Record("CreateFontIndirectA");
    created.push_back(font);
    if (createFails) return 0;
    live.push_back(next_);
    return next_++;
}

GdiHandle FakeFontApi::SelectObject(DeviceContext dc, GdiHandle object) noexcept {
    Record("SelectObject(" + std::to_string(dc) + "," + std::to_string(object) + ")");
    if (object == 0) return 0;  // GDI refuses a null object and changes nothing
    auto [slot, inserted] = selected.try_emplace(dc, kStockFont);
    static_cast<void>(inserted);
    const GdiHandle previous = slot->second;
    slot->second = object;
    return previous;
}

bool FakeFontApi::DeleteObject(GdiHandle object) noexcept {
    Record("DeleteObject(" + std::to_string(object) + ")");
    const auto found = std::find(live.begin(), live.end(), object);
    if (found == live.end()) return false;
    live.erase(found);
    return true;
}

int32_t FakeFontApi::MulDiv(int32_t number, int32_t numerator, int32_t denominator) noexcept {
    Record("MulDiv(" + std::to_string(number) + "," + std::to_string(numerator) + "," + std::to_string(denominator) +
           ")");
    // Windows rounds half away from zero and answers -1 when the divisor is
    // zero or the result does not fit.
    if (denominator == 0) return -1;
    int64_t product = int64_t{number} * numerator;
    int64_t divisor = denominator;
    if (divisor < 0) {
        product = -product;
        divisor = -divisor;
    }
    const int64_t result = product < 0 ? (product - divisor / 2) / divisor : (product + divisor / 2) / divisor;
    if (result > 2147483647 || result < -2147483647) return -1;
    return static_cast<int32_t>(result);
}

std::string FakeFontApi::ToAnsiCodePage(std::u16string_view text) {
    std::string out;
    for (const char16_t unit : text) {
        if (unit < 0x100) {
            out += static_cast<char>(unit);
        } else {
            out.append(static_cast<size_t>(wideCharBytes), '?');
        }
    }
    return out;
}

std::vector<bool> FakeFontApi::MissingGlyphs(DeviceContext dc, std::u16string_view text) {
    Record("MissingGlyphs(" + std::to_string(dc) + "," + Utf8(text) + ")");
    std::vector<bool> missing;
    for (const char16_t unit : text) missing.push_back(lacking.find(unit) != std::u16string::npos);
    return missing;
}

}  // namespace quillant::render::fake
