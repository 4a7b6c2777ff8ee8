// Font resolution and glyph rendering.
//
// A TFont's name goes through a substitution table to a family group:
//   Song   "宋体", "SimSun" and the other Chinese face names: WenQuanYi Bitmap
//          Song at the pixel sizes it has bitmaps for (12 to 16 px), with the
//          half-width ASCII characters from AR PL UMing's strike of the same
//          size (6 px wide at 12 px, as 宋体 draws them); AR PL UMing alone at
//          other sizes. Metrics follow 宋体: the cell is the em, no leading.
//   Sans   "MS Sans Serif", "Arial", "Tahoma", "System"...: the first present
//          of DejaVu Sans, Liberation Sans, Noto Sans, FreeSans.
//   Serif, Mono  likewise for the classic serif and fixed-pitch names.
//   other  the family itself when fontconfig lists it, else Sans.
// Characters a face lacks are looked up in the Song faces of the same size,
// so Chinese text in a Latin font still shows, as the classic desktop links
// fonts. When a group has no face on the machine the next group is used, in
// a fixed order, so the choice never depends on fontconfig's guesses.
//
// Glyphs are rendered as 1-bit masks (no anti-aliasing), with the TrueType
// interpreter pinned to one version, and cached per resolved font.
#include "platform/graphics/FontEngine.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include "platform/core/CodePage.h"
#include "platform/core/Exception.h"
#include "platform/core/StrUtils.h"

namespace graphics {

struct TGlyphSource {
    FT_Face Face = nullptr;
    int PixelSize = 0;
    int StrikeIndex = -1;  // a bitmap face's strike, or -1 for a scalable face
    bool AsciiOnly = false;
    bool SynthBold = false;
    bool SynthItalic = false;
};

namespace {

enum class Group { Song, Sans, Serif, Mono, Named };

// UTF-8, as names are compared after conversion from the code page.
const char8_t* const kSongNames[] = {u8"宋体",     u8"SimSun",   u8"新宋体",   u8"NSimSun",  u8"黑体",
                                     u8"SimHei",   u8"楷体",     u8"KaiTi",    u8"楷体_GB2312", u8"仿宋",
                                     u8"FangSong", u8"仿宋_GB2312", u8"微软雅黑", u8"Microsoft YaHei", u8"幼圆"};
const char* const kSansNames[] = {"MS Sans Serif", "Microsoft Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2", "Arial",
                                  "Tahoma",        "System",               "Verdana",      "Helvetica",      "Segoe UI",
                                  "Small Fonts"};
const char* const kSerifNames[] = {"Times New Roman", "Times", "MS Serif", "Georgia", "Roman"};
const char* const kMonoNames[] = {"Courier New", "Courier", "Fixedsys", "Terminal", "Lucida Console", "Consolas"};

const char* const kSansFaces[] = {"DejaVu Sans", "Liberation Sans", "Noto Sans", "FreeSans"};
const char* const kSerifFaces[] = {"DejaVu Serif", "Liberation Serif", "Noto Serif", "FreeSerif"};
const char* const kMonoFaces[] = {"DejaVu Sans Mono", "Liberation Mono", "Noto Sans Mono", "FreeMono"};
const char* const kSongBitmapFaces[] = {"WenQuanYi Bitmap Song"};
const char* const kSongOutlineFaces[] = {"AR PL UMing CN",    "AR PL UMing TW",    "AR PL UMing HK",
                                         "AR PL UKai CN",     "Noto Serif CJK SC", "Noto Sans CJK SC",
                                         "WenQuanYi Zen Hei", "Droid Sans Fallback"};

// 宋体's vertical metrics: 220 of its 256 units above the baseline.
constexpr int kSongAscentUnits = 220;
constexpr int kSongUnitsPerEm = 256;
constexpr int kDefaultEm = 12;

template <typename Char, size_t N>
bool InList(const std::string& utf8Name, const Char* const (&names)[N])
{
    return std::any_of(std::begin(names), std::end(names), [&](const Char* n) {
        return core::SameText(utf8Name, reinterpret_cast<const char*>(n));
    });
}

Group GroupOf(const std::string& utf8Name)
{
    if (InList(utf8Name, kSongNames))
        return Group::Song;
    if (InList(utf8Name, kSansNames))
        return Group::Sans;
    if (InList(utf8Name, kSerifNames))
        return Group::Serif;
    if (InList(utf8Name, kMonoNames))
        return Group::Mono;
    return Group::Named;
}

struct FaceFile {
    std::string Path;
    int Index = 0;
    std::string Family;
    int Weight = FC_WEIGHT_REGULAR;
    int Slant = FC_SLANT_ROMAN;
    int Width = FC_WIDTH_NORMAL;
    bool Scalable = true;
    int PixelSize = 0;
};

bool IsBold(int fcWeight) { return fcWeight >= FC_WEIGHT_DEMIBOLD; }

// Copies a rendered FreeType bitmap into a 0/1 mask.
void CopyMask(const FT_Bitmap& bitmap, TGlyph& glyph)
{
    glyph.Width = static_cast<int>(bitmap.width);
    glyph.Height = static_cast<int>(bitmap.rows);
    glyph.Mask.assign(static_cast<size_t>(glyph.Width) * static_cast<size_t>(glyph.Height), 0);
    for (int y = 0; y < glyph.Height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < glyph.Width; ++x) {
            bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (row[x / 8] & (0x80 >> (x % 8))) != 0 : row[x] >= 128;
            glyph.Mask[static_cast<size_t>(y * glyph.Width + x)] = on ? 1 : 0;
        }
    }
}

// Synthetic bold: every pixel is doubled one to the right and the advance
// grows by one, as the classic desktop emboldens faces without a bold cut.
void Embolden(TGlyph& glyph)
{
    int width = glyph.Width + 1;
    std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(glyph.Height), 0);
    for (int y = 0; y < glyph.Height; ++y)
        for (int x = 0; x < glyph.Width; ++x)
            if (glyph.Mask[static_cast<size_t>(y * glyph.Width + x)]) {
                mask[static_cast<size_t>(y * width + x)] = 1;
                mask[static_cast<size_t>(y * width + x + 1)] = 1;
            }
    glyph.Mask = std::move(mask);
    glyph.Width = width;
    glyph.Advance += 1;
}

// Synthetic italic: each row moves right by a quarter of its height above
// the cell bottom, so the top row of a 12-pixel cell moves by 2.
void Slant(TGlyph& glyph, const TTextMetric& m)
{
    if (glyph.Height == 0)
        return;
    auto shiftOf = [&](int y) {
        int rowFromTop = m.Ascent - glyph.Top + y;
        return std::max(0, m.Height - 1 - rowFromTop) / 4;
    };
    int extra = shiftOf(0);
    int width = glyph.Width + extra;
    std::vector<uint8_t> mask(static_cast<size_t>(width) * static_cast<size_t>(glyph.Height), 0);
    for (int y = 0; y < glyph.Height; ++y) {
        int shift = shiftOf(y);
        for (int x = 0; x < glyph.Width; ++x)
            mask[static_cast<size_t>(y * width + x + shift)] = glyph.Mask[static_cast<size_t>(y * glyph.Width + x)];
    }
    glyph.Mask = std::move(mask);
    glyph.Width = width;
}

}  // namespace

// ---------------------------------------------------------------------------
// TFontInstance

TFontInstance::TFontInstance(std::vector<TGlyphSource> sources, const TTextMetric& metrics,
                             core::AnsiString description)
    : sources_(std::move(sources)), metrics_(metrics), description_(std::move(description))
{
    // The average width is the advance of "x", known only once glyphs can
    // be rendered.
    metrics_.AveCharWidth = Glyph(U'x').Advance;
}

TFontInstance::~TFontInstance() = default;

const TGlyph& TFontInstance::Glyph(char32_t ch)
{
    if (ch < 128) {
        auto& slot = ascii_[ch];
        if (!slot)
            slot = std::make_unique<TGlyph>(Render(ch));
        return *slot;
    }
    auto found = others_.find(ch);
    if (found == others_.end())
        found = others_.emplace(ch, Render(ch)).first;
    return found->second;
}

int TFontInstance::TextWidth(std::string_view ansi)
{
    int width = 0;
    for (size_t i = 0; i < ansi.size();) {
        int length = 1;
        char32_t ch = core::DecodeAnsiChar(ansi, i, length);
        width += Glyph(ch).Advance;
        i += static_cast<size_t>(length);
    }
    return ansi.empty() ? 0 : width + metrics_.Overhang;
}

int TFontInstance::UnderlineRow() const { return std::min(metrics_.Ascent + 1, std::max(0, metrics_.Height - 1)); }

int TFontInstance::LineThickness() const { return std::max(1, (metrics_.Height - metrics_.InternalLeading) / 16); }

int TFontInstance::StrikeOutRow() const { return metrics_.Ascent - std::max(1, metrics_.Ascent * 3 / 10); }

TGlyph TFontInstance::Render(char32_t ch)
{
    TGlyph glyph;
    if (ch < 0x20 || sources_.empty())
        return glyph;
    const TGlyphSource* source = &sources_.front();
    FT_UInt index = 0;
    for (const TGlyphSource& s : sources_) {
        if (s.AsciiOnly && (ch < 0x20 || ch > 0x7E))
            continue;
        FT_UInt i = FT_Get_Char_Index(s.Face, ch);
        if (i != 0) {
            source = &s;
            index = i;
            break;
        }
    }
    FT_Face face = source->Face;
    FT_Error error = source->StrikeIndex >= 0 ? FT_Select_Size(face, source->StrikeIndex)
                                              : FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(source->PixelSize));
    if (!error)
        error = FT_Load_Glyph(face, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO);
    if (error) {
        glyph.Advance = metrics_.AveCharWidth;
        return glyph;
    }
    FT_GlyphSlot slot = face->glyph;
    CopyMask(slot->bitmap, glyph);
    glyph.Advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.Left = slot->bitmap_left;
    glyph.Top = slot->bitmap_top;
    if (source->SynthBold)
        Embolden(glyph);
    if (source->SynthItalic)
        Slant(glyph, metrics_);
    return glyph;
}

// ---------------------------------------------------------------------------
// TFontEngine

struct TFontEngine::Impl {
    FT_Library Library = nullptr;
    std::map<std::pair<std::string, int>, FT_Face> Faces;
    std::map<std::string, std::vector<FaceFile>> Families;
    std::map<std::tuple<std::string, int, bool, bool>, std::unique_ptr<TFontInstance>> Instances;

    Impl()
    {
        if (FT_Init_FreeType(&Library))
            throw core::Exception("Cannot start the font renderer");
        // Pin the hinting of TrueType outlines, whatever the environment asks.
        FT_UInt version = TT_INTERPRETER_VERSION_40;
        FT_Property_Set(Library, "truetype", "interpreter-version", &version);
        FcInit();
    }

    ~Impl()
    {
        Instances.clear();
        for (auto& [key, face] : Faces)
            if (face)
                FT_Done_Face(face);
        FT_Done_FreeType(Library);
        FcFini();
    }

    // Every face file of one family, as fontconfig lists it, in a fixed order.
    const std::vector<FaceFile>& List(const std::string& family)
    {
        auto found = Families.find(family);
        if (found != Families.end())
            return found->second;
        std::vector<FaceFile> files;
        FcPattern* pattern = FcPatternCreate();
        FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
        FcObjectSet* objects = FcObjectSetBuild(FC_FILE, FC_INDEX, FC_FAMILY, FC_WEIGHT, FC_SLANT, FC_WIDTH,
                                                FC_SCALABLE, FC_PIXEL_SIZE, nullptr);
        FcFontSet* set = FcFontList(nullptr, pattern, objects);
        for (int i = 0; set && i < set->nfont; ++i)
            AddFile(set->fonts[i], family, files);
        if (set)
            FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
        std::sort(files.begin(), files.end(), [](const FaceFile& a, const FaceFile& b) {
            return std::tie(a.Path, a.Index) < std::tie(b.Path, b.Index);
        });
        return Families.emplace(family, std::move(files)).first->second;
    }

    static void AddFile(FcPattern* font, const std::string& family, std::vector<FaceFile>& files)
    {
        FcChar8* path = nullptr;
        if (FcPatternGetString(font, FC_FILE, 0, &path) != FcResultMatch)
            return;
        // A face may carry several family names; it belongs here only when one
        // of them is the family asked for.
        bool named = false;
        FcChar8* name = nullptr;
        for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &name) == FcResultMatch; ++n)
            named = named || core::SameText(reinterpret_cast<const char*>(name), family);
        if (!named)
            return;
        FaceFile f;
        f.Path = reinterpret_cast<const char*>(path);
        f.Family = family;
        FcPatternGetInteger(font, FC_INDEX, 0, &f.Index);
        FcPatternGetInteger(font, FC_WEIGHT, 0, &f.Weight);
        FcPatternGetInteger(font, FC_SLANT, 0, &f.Slant);
        FcPatternGetInteger(font, FC_WIDTH, 0, &f.Width);
        FcBool scalable = FcTrue;
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
        f.Scalable = scalable != FcFalse;
        double pixelSize = 0;
        if (FcPatternGetDouble(font, FC_PIXEL_SIZE, 0, &pixelSize) == FcResultMatch)
            f.PixelSize = static_cast<int>(std::lround(pixelSize));
        files.push_back(std::move(f));
    }

    template <size_t N>
    std::string FirstPresent(const char* const (&families)[N])
    {
        for (const char* family : families)
            if (!List(family).empty())
                return family;
        return {};
    }

    // The face of a family that best fits the style: normal width first, then
    // weight and slant, then the weight nearest to regular or bold.
    const FaceFile* Pick(const std::string& family, bool bold, bool italic)
    {
        const std::vector<FaceFile>& files = List(family);
        const FaceFile* best = nullptr;
        std::tuple<int, int, int, int> bestScore;
        for (const FaceFile& f : files) {
            int target = bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR;
            std::tuple<int, int, int, int> score{f.Width == FC_WIDTH_NORMAL ? 0 : 1, IsBold(f.Weight) == bold ? 0 : 1,
                                                 (f.Slant != FC_SLANT_ROMAN) == italic ? 0 : 1,
                                                 std::abs(f.Weight - target)};
            if (!best || score < bestScore) {
                best = &f;
                bestScore = score;
            }
        }
        return best;
    }

    // A bitmap face of the family with a strike of exactly `pixelSize`.
    const FaceFile* PickStrike(const std::string& family, int pixelSize)
    {
        for (const FaceFile& f : List(family))
            if (!f.Scalable && f.PixelSize == pixelSize)
                return &f;
        return nullptr;
    }

    FT_Face Open(const FaceFile& file)
    {
        auto key = std::make_pair(file.Path, file.Index);
        auto found = Faces.find(key);
        if (found != Faces.end())
            return found->second;
        FT_Face face = nullptr;
        if (FT_New_Face(Library, file.Path.c_str(), file.Index, &face))
            face = nullptr;
        Faces.emplace(key, face);
        return face;
    }

    // A source over a face file at `em` pixels; a bitmap face uses the strike
    // nearest to it.
    std::optional<TGlyphSource> Source(const FaceFile* file, int em, bool bold, bool italic)
    {
        if (!file)
            return std::nullopt;
        FT_Face face = Open(*file);
        if (!face)
            return std::nullopt;
        TGlyphSource s;
        s.Face = face;
        s.PixelSize = em;
        if (!FT_IS_SCALABLE(face) && face->num_fixed_sizes > 0) {
            int best = 0;
            for (int i = 1; i < face->num_fixed_sizes; ++i)
                if (std::abs(static_cast<int>(face->available_sizes[i].y_ppem >> 6) - em) <
                    std::abs(static_cast<int>(face->available_sizes[best].y_ppem >> 6) - em))
                    best = i;
            s.StrikeIndex = best;
            s.PixelSize = static_cast<int>(face->available_sizes[best].y_ppem >> 6);
        }
        s.SynthBold = bold && !IsBold(file->Weight);
        s.SynthItalic = italic && file->Slant == FC_SLANT_ROMAN;
        return s;
    }

    // The Song faces at `em` pixels: the bitmap song with UMing's ASCII where
    // a strike of that size exists, UMing alone otherwise.
    std::vector<TGlyphSource> SongSources(int em, bool bold, bool italic, bool withAscii,
                                          core::AnsiString& description)
    {
        std::vector<TGlyphSource> sources;
        std::string bitmapFamily = FirstPresent(kSongBitmapFaces);
        std::string outlineFamily = FirstPresent(kSongOutlineFaces);
        const FaceFile* strike = bitmapFamily.empty() ? nullptr : PickStrike(bitmapFamily, em);
        const FaceFile* outline = outlineFamily.empty() ? nullptr : Pick(outlineFamily, bold, italic);
        if (strike) {
            std::optional<TGlyphSource> ascii;
            if (withAscii)
                ascii = Source(outline, em, bold, italic);
            if (ascii) {
                ascii->AsciiOnly = true;
                sources.push_back(*ascii);
                Describe(description, outlineFamily, em, "ASCII");
            }
            if (auto s = Source(strike, em, bold, italic)) {
                sources.push_back(*s);
                Describe(description, bitmapFamily, em, "");
            }
        }
        if (auto s = Source(outline, em, bold, italic)) {
            sources.push_back(*s);
            Describe(description, outlineFamily, em, "");
        }
        return sources;
    }

    static void Describe(core::AnsiString& description, const std::string& family, int em, const char* note)
    {
        if (!description.empty())
            description += ", ";
        description += family + " " + std::to_string(em) + "px";
        if (*note)
            description += std::string(" (") + note + ")";
    }

    static int EmFor(int height) { return height < 0 ? -height : height > 0 ? height : kDefaultEm; }

    std::unique_ptr<TFontInstance> Build(const std::string& utf8Name, int height, bool bold, bool italic)
    {
        Group group = GroupOf(utf8Name);
        std::string family;
        if (group == Group::Named && !List(utf8Name).empty())
            family = utf8Name;
        else if (group == Group::Serif)
            family = FirstPresent(kSerifFaces);
        else if (group == Group::Mono)
            family = FirstPresent(kMonoFaces);
        if (family.empty() && group != Group::Song)
            family = FirstPresent(kSansFaces);
        if (family.empty())
            group = Group::Song;
        if (group == Group::Song)
            return BuildSong(EmFor(height), bold, italic);
        return BuildOther(family, height, bold, italic);
    }

    std::unique_ptr<TFontInstance> BuildSong(int em, bool bold, bool italic)
    {
        core::AnsiString description;
        std::vector<TGlyphSource> sources = SongSources(em, bold, italic, true, description);
        TTextMetric m;
        m.Ascent = MulDiv(em, kSongAscentUnits, kSongUnitsPerEm);
        m.Descent = em - m.Ascent;
        m.Height = em;
        m.MaxCharWidth = em + (bold ? 1 : 0);
        return Finish(std::move(sources), m, bold, italic, description);
    }

    std::unique_ptr<TFontInstance> BuildOther(const std::string& family, int height, bool bold, bool italic)
    {
        const FaceFile* file = Pick(family, bold, italic);
        FT_Face face = file ? Open(*file) : nullptr;
        if (!face)
            return BuildSong(EmFor(height), bold, italic);
        TTextMetric m;
        int em = EmFor(height);
        if (FT_IS_SCALABLE(face)) {
            int upem = face->units_per_EM;
            int ascent = face->ascender;
            int descent = -face->descender;
            int gap = 0;
            if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2)); os2 && os2->version != 0xFFFF) {
                ascent = os2->usWinAscent;
                descent = os2->usWinDescent;
            }
            if (auto* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(face, FT_SFNT_HHEA)))
                gap = std::max(0, hhea->Ascender - hhea->Descender + hhea->Line_Gap - (ascent + descent));
            if (height > 0)
                em = std::max(1, MulDiv(height, upem, ascent + descent));
            m.Ascent = MulDiv(ascent, em, upem);
            m.Descent = MulDiv(descent, em, upem);
            m.ExternalLeading = MulDiv(gap, em, upem);
        }
        core::AnsiString description;
        std::vector<TGlyphSource> sources;
        if (auto s = Source(file, em, bold, italic)) {
            sources.push_back(*s);
            Describe(description, family, s->PixelSize, "");
            if (!FT_IS_SCALABLE(face)) {
                FT_Select_Size(face, s->StrikeIndex);
                em = s->PixelSize;
                m.Ascent = static_cast<int>(face->size->metrics.ascender >> 6);
                m.Descent = static_cast<int>(-face->size->metrics.descender >> 6);
            }
        }
        // Characters the face lacks come from the Song faces of the same size.
        for (const TGlyphSource& s : SongSources(em, bold, italic, false, description))
            sources.push_back(s);
        m.Height = m.Ascent + m.Descent;
        if (FT_IS_SCALABLE(face)) {
            FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em));
            m.MaxCharWidth = static_cast<int>((face->size->metrics.max_advance + 32) >> 6);
        } else {
            m.MaxCharWidth = static_cast<int>((face->size->metrics.max_advance + 32) >> 6);
        }
        m.InternalLeading = std::max(0, m.Height - em);
        return Finish(std::move(sources), m, bold, italic, description);
    }

    static std::unique_ptr<TFontInstance> Finish(std::vector<TGlyphSource> sources, TTextMetric m, bool bold,
                                                 bool italic, core::AnsiString description)
    {
        m.Weight = bold ? 700 : 400;
        m.Italic = italic;
        bool slanted = !sources.empty() && sources.front().SynthItalic;
        m.Overhang = slanted ? (m.Height - 1) / 4 : 0;
        return std::make_unique<TFontInstance>(std::move(sources), m, std::move(description));
    }
};

TFontEngine& TFontEngine::Instance()
{
    static TFontEngine engine;
    return engine;
}

TFontEngine::TFontEngine() : impl_(std::make_unique<Impl>()) {}

TFontEngine::~TFontEngine() = default;

TFontInstance& TFontEngine::Resolve(const TFont& font)
{
    return Resolve(font.Name(), font.Height(), font.Style());
}

TFontInstance& TFontEngine::Resolve(const core::AnsiString& name, int height, TFontStyles style)
{
    std::string utf8 = core::AnsiToUtf8(name);
    bool bold = style.Contains(fsBold);
    bool italic = style.Contains(fsItalic);
    auto key = std::make_tuple(core::LowerCase(utf8), height, bold, italic);
    auto found = impl_->Instances.find(key);
    if (found == impl_->Instances.end())
        found = impl_->Instances.emplace(key, impl_->Build(utf8, height, bold, italic)).first;
    return *found->second;
}

}  // namespace graphics
