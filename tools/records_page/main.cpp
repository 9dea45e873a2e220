// records_page: writes docs/records.md, the reference of the protocol's
// records for programmers in any language, from the kit's catalogue
// (tools/protocol/catalogue.h): every record with its type number,
// direction, size and fields, the structures inside records, and the names
// of their values.

#include <cctype>
#include <sstream>
#include <string>

#include "tools/cli/command_line.h"
#include "tools/protocol/catalogue.h"

namespace {

using catalogue::Field;
using catalogue::Kind;

std::string lower(std::string_view text) {
    std::string low(text);
    for (char& c : low) {
        c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    return low;
}

// An anchor of this page: lower case, letters, digits and '-'.
std::string anchor(std::string_view text) {
    std::string id;
    for (const char c : lower(text)) {
        const bool keep = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
        if (keep) {
            id += c;
        } else if (!id.empty() && id.back() != '-') {
            id += '-';
        }
    }
    while (!id.empty() && id.back() == '-') {
        id.pop_back();
    }
    return id;
}

std::string link(std::string_view text, std::string_view target) {
    return "[" + std::string(text) + "](#" + anchor(target) + ")";
}

// A heading that links lead to, whatever a viewer makes of its text.
std::string heading(std::string_view text) {
    return "<a id=\"" + anchor(text) + "\"></a>\n\n### " + std::string(text) + "\n\n";
}

// A table cell: a | would end it.
std::string cell(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        escaped += c == '|' ? "\\|" : std::string(1, c);
    }
    return escaped;
}

std::string kind_name(Kind kind) {
    switch (kind) {
        case Kind::kByte:
        case Kind::kCharacter:
            return "byte";
        case Kind::kSignedChar:
            return "char (signed)";
        case Kind::kWord:
            return "word";
        case Kind::kShort:
            return "short";
        case Kind::kUnsigned:
            return "unsigned";
        case Kind::kInt:
            return "int";
        case Kind::kFloat:
            return "float";
        case Kind::kText:
            return "char";
        case Kind::kStructure:
            return "";
    }
    return "";
}

// The type column: "word", "char[16]", "CompCar[NumC]", "byte[4]".
std::string type_of(const Field& field, std::string_view count_name) {
    const std::string element = field.kind == Kind::kStructure
                                    ? link(field.structure->name, field.structure->name)
                                    : kind_name(field.kind);
    if (field.count == 1 && field.kind != Kind::kText) {
        return element;
    }
    return element + "[" +
           (field.count == 0 ? std::string(count_name) : std::to_string(field.count)) + "]";
}

std::string meaning_of(const Field& field) {
    std::string meaning(field.meaning);
    if (field.values != nullptr) {
        meaning += std::string(meaning.empty() ? "" : ", ") + "see " +
                   link(field.values->title, field.values->title);
    }
    return meaning;
}

void field_rows(std::ostream& page, std::span<const Field> fields, std::string_view count_name) {
    for (const Field& field : fields) {
        page << "| " << field.offset << " | " << type_of(field, count_name) << " | " << field.name
             << " | " << cell(meaning_of(field)) << " |\n";
    }
}

std::string variable_name(const catalogue::Record& record) {
    if (record.rule == catalogue::SizeRule::kText) {
        return std::to_string(record.least) + "..." + std::to_string(record.most);
    }
    for (const Field& field : record.fields) {
        if (field.offset == record.count_at && record.rule == catalogue::SizeRule::kArray) {
            return std::string(field.name);
        }
    }
    return "";
}

void introduction(std::ostream& page) {
    page << "# The protocol's records\n"
            "\n"
            "Every record of the simulator's client protocol: its type number, the direction\n"
            "it travels, its size and each field with its offset, type and meaning, for\n"
            "programmers in any language. This page is made by `tools/records_page` from the\n"
            "kit's catalogue of records (`tools/protocol/catalogue_records.cpp`), which the\n"
            "kit's tools read and write records by; a test fails when the two disagree.\n"
            "After changing the catalogue, regenerate it with\n"
            "`build/default/tools/records_page/records_page docs/records.md`.\n"
            "\n"
            "## Reading the tables\n"
            "\n"
            "- Numbers are little-endian. byte, word and unsigned are unsigned numbers of 1, 2\n"
            "  and 4 bytes; char (signed), short and int signed ones; float is an IEEE-754\n"
            "  single. char[N] is text of N bytes, read up to the first 0 or the end.\n"
            "- Every record starts with Size, Type and ReqI. Size is the record's length: in\n"
            "  bytes up to protocol version 8, in units of 4 bytes from version 9 (so a 16-car\n"
            "  IS_MCI of 452 bytes has Size 113). The version in use is the one the\n"
            "  program's IS_ISI declares (0 means 6), as the simulator serves it; IS_ISI\n"
            "  itself is 44 bytes whichever way its Size counts them.\n"
            "- Every record's length is a multiple of 4. Fields named Zero, Spare, Sp0 to Sp3,\n"
            "  SpA and SpB are sent as 0, as are text bytes after the text's end.\n"
            "- A record of variable size has its fixed part and then a text in steps of 4\n"
            "  bytes, or as many elements as its count field says, padded with zeros to a\n"
            "  multiple of 4.\n"
            "- Offsets in the tables of structures count from the structure's start.\n"
            "\n"
            "The kit's tools write records as one line of words, their name and the fields\n"
            "that are not 0 (`IS_TINY SubT=TINY_NONE`, `IS_BTN ReqI=1 ClickID=237\n"
            "BStyle=ISB_DARK L=1 T=70 W=60 H=10 Text=\"Chicane\"`); the README's \"Record a\n"
            "session\" tells the form.\n"
            "\n";
}

void contents(std::ostream& page) {
    page << "## Record types\n"
            "\n"
            "| Type | Record | Direction | Size | Purpose |\n"
            "|---|---|---|---|---|\n";
    for (const catalogue::Record& record : catalogue::records()) {
        page << "| " << static_cast<unsigned>(record.type) << " | "
             << link(record.name, record.name) << " | "
             << catalogue::direction_text(record.direction) << " | "
             << cell(catalogue::size_rule(record)) << " | " << cell(record.purpose) << " |\n";
    }
    page << "\nType 0 (ISP_NONE) is no record.\n\n";
}

void record_sections(std::ostream& page) {
    page << "## Records\n\n";
    for (const catalogue::Record& record : catalogue::records()) {
        page << heading(record.name) << "Type " << static_cast<unsigned>(record.type) << ", "
             << catalogue::direction_text(record.direction) << ": " << record.purpose << ". "
             << "Size: " << catalogue::size_rule(record) << ".";
        if (!record.note.empty()) {
            page << " " << record.note;
        }
        page << "\n\n| Offset | Type | Field | Meaning |\n|---|---|---|---|\n";
        const std::span<const Field> header = catalogue::header();
        field_rows(page, header.first(catalogue::kTypeAt), "");
        page << "| " << catalogue::kTypeAt << " | byte | Type | "
             << static_cast<unsigned>(record.type) << " |\n";
        field_rows(page, header.subspan(catalogue::kReqIAt), "");
        field_rows(page, record.fields, variable_name(record));
        page << "\n";
    }
}

void structure_sections(std::ostream& page) {
    page << "## Structures\n\n";
    for (const catalogue::Structure* structure : catalogue::structures()) {
        std::string meaning = cell(structure->meaning);
        meaning[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(meaning[0])));
        page << heading(structure->name) << meaning << "; " << structure->size << " bytes.\n\n"
             << "| Offset | Type | Field | Meaning |\n|---|---|---|---|\n";
        field_rows(page, structure->fields, "");
        page << "\n";
    }
}

void value_sections(std::ostream& page) {
    page << "## Values\n\n"
            "The names of the values of the fields that link here. Flags are bits that\n"
            "combine; the tools write them joined by |, as `ISF_LOCAL|ISF_MCI`.\n\n";
    for (const catalogue::Values* values : catalogue::value_sets()) {
        page << heading(values->title) << "| " << (values->flags ? "Bit" : "Value")
             << " | Name | Meaning |\n"
             << "|---|---|---|\n";
        for (const catalogue::ValueName& name : values->names) {
            page << "| " << name.value << " | " << name.name << " | " << cell(name.meaning)
                 << " |\n";
        }
        page << "\n";
    }
}

std::string reference() {
    std::ostringstream page;
    introduction(page);
    contents(page);
    record_sections(page);
    structure_sections(page);
    value_sections(page);
    std::string text = page.str();
    text.pop_back();  // one line end at the end
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    std::string output;
    CLI::App app(
        "Writes the reference of the protocol's records, in Markdown, from the kit's "
        "catalogue.",
        "records_page");
    command_line::prepare(app);
    app.set_version_flag("--version", command_line::kProjectVersion);
    app.add_option("OUTPUT", output, "the page to write; standard output when not given")
        ->type_name("OUTPUT.md");
    command_line::parse(app, argc, argv);
    const std::string page = reference();
    return command_line::write_output("records_page", output, page) ? 0 : 1;
}
