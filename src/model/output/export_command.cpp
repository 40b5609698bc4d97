#include "model/output/export_command.h"

#include <optional>
#include <string_view>

#include "model/app/settings_entries.h"

namespace tav {

namespace {

char lowerAscii(char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char>(c - u'A' + 'a')
           : c < 0x80             ? static_cast<char>(c)
                                  : '\x7F';
}

bool sameAscii(std::u16string_view units, std::string_view ascii) {
    if (units.size() != ascii.size())
        return false;
    for (std::size_t i = 0; i < units.size(); ++i)
        if (lowerAscii(units[i]) != ascii[i])
            return false;
    return true;
}

// The option's value when the word is "/name:value" in any letter case.
std::optional<std::u16string_view> valueOf(std::u16string_view word, std::string_view name) {
    if (word.size() < name.size() + 2 || word[0] != u'/' || word[name.size() + 1] != u':' ||
        !sameAscii(word.substr(1, name.size()), name))
        return std::nullopt;
    return word.substr(name.size() + 2);
}

bool isSwitch(std::u16string_view word, std::string_view name) {
    return word.size() == name.size() + 1 && word[0] == u'/' && sameAscii(word.substr(1), name);
}

std::optional<int> numberOf(std::u16string_view units) {
    std::string ascii;
    for (char16_t c : units) {
        if (c >= 0x80)
            return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    return entries::parseNumber(ascii);
}

std::string narrow(std::u16string_view units) {
    return FilePath(std::u16string(units)).text();
}

CommandLine bad(std::string error) {
    CommandLine line;
    line.kind = CommandLine::Kind::bad;
    line.error = std::move(error);
    return line;
}

} // namespace

bool imageFormatOf(const FilePath& output, ImageFormat& format) {
    if (output.hasExtension("bmp"))
        format = ImageFormat::bmp;
    else if (output.hasExtension("png"))
        format = ImageFormat::png;
    else if (output.hasExtension("jpg") || output.hasExtension("jpeg"))
        format = ImageFormat::jpeg;
    else
        return false;
    return true;
}

CommandLine parseCommandLine(const std::vector<FilePath>& arguments) {
    CommandLine line;
    for (const FilePath& argument : arguments)
        if (isSwitch(argument.units(), "?")) {
            line.kind = CommandLine::Kind::usage;
            return line;
        }
    if (!arguments.empty() && isSwitch(arguments[0].units(), "p")) {
        if (arguments.size() != 2 || arguments[1].empty() || arguments[1].units()[0] == u'/')
            return bad("印刷するマップファイルを1つ指定してください。");
        line.kind = CommandLine::Kind::print;
        line.file = arguments[1];
        return line;
    }
    if (arguments.empty() || !isSwitch(arguments[0].units(), "export")) {
        if (!arguments.empty())
            line.file = arguments[0];
        return line;
    }

    line.kind = CommandLine::Kind::exportImage;
    std::vector<FilePath> names;
    ExportOptions& o = line.options;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::u16string_view word = arguments[i].units();
        if (word.empty() || word[0] != u'/') {
            names.push_back(arguments[i]);
        } else if (isSwitch(word, "wide")) {
            o.wide = true;
        } else if (auto rulers = valueOf(word, "rulers")) {
            o.topBand = o.leftBand = o.rightBand = o.bottomBand = false;
            for (char16_t c : *rulers) {
                switch (lowerAscii(c)) {
                case 't':
                    o.topBand = true;
                    break;
                case 'l':
                    o.leftBand = true;
                    break;
                case 'r':
                    o.rightBand = true;
                    break;
                case 'b':
                    o.bottomBand = true;
                    break;
                default:
                    return bad("目盛りの指定は T L R B の組み合わせです: " + narrow(word));
                }
            }
        } else if (auto bits = valueOf(word, "bits")) {
            const std::optional<int> n = numberOf(*bits);
            if (!n || !validExportBits(*n))
                return bad("色数は 4, 8, 16, 24, 32 のどれかです: " + narrow(word));
            o.bits = *n;
        } else if (auto scale = valueOf(word, "scale")) {
            const std::optional<int> n = numberOf(*scale);
            if (!n)
                return bad("伸縮率は数値で指定してください: " + narrow(word));
            o.percent = clampExportPercent(*n);
        } else if (auto method = valueOf(word, "method")) {
            if (sameAscii(*method, "normal"))
                o.method = ScaleMethod::normal;
            else if (sameAscii(*method, "nearest"))
                o.method = ScaleMethod::nearest;
            else if (sameAscii(*method, "bilinear"))
                o.method = ScaleMethod::bilinear;
            else
                return bad("伸縮方法は normal, nearest, bilinear のどれかです: " + narrow(word));
        } else {
            return bad("不明なオプションです: " + narrow(word));
        }
    }
    if (names.size() != 2)
        return bad("出力ファイルとマップファイルを1つずつ指定してください。");
    line.output = names[0];
    line.file = names[1];
    if (!imageFormatOf(line.output, o.format))
        return bad("出力ファイルの拡張子は .bmp, .png, .jpg, .jpeg のどれかです: " + line.output.text());
    return line;
}

std::string commandLineUsage() {
    return "使い方: Tavrosin.exe /export 出力ファイル マップファイル [オプション]\r\n"
           "  マップを画像ファイルに保存します。形式は出力ファイルの拡張子で決まります\r\n"
           "  (.bmp, .png, .jpg, .jpeg)。\r\n"
           "  /wide             広範囲表示モード (既定は通常モード)\r\n"
           "  /rulers:TLRB      目盛りを付ける辺: 上 T, 左 L, 右 R, 下 B (既定は全部、/rulers: で無し)\r\n"
           "  /bits:N           色数 4, 8, 16, 24, 32 Bit (既定 24、bmp のみ)\r\n"
           "  /scale:N          伸縮率 25 - 100 (面積比、既定 100)\r\n"
           "  /method:M         伸縮方法 normal, nearest, bilinear (既定 normal)\r\n"
           "使い方: Tavrosin.exe /p マップファイル\r\n"
           "  マップを通常使うプリンタに、保存されたヘッダ／フッタで印刷します。\r\n"
           "  /?                この説明\r\n"
           "終了コード: 成功 0、失敗 1 (理由を表示します)\r\n";
}

} // namespace tav
