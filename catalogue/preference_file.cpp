// The preference file library: one file at a time, read whole into one buffer that the parser cuts
// in place, held as a singly linked list of line records in file order, written back whole in the
// canonical form when a key was stored.
#include "preference_file.h"

#include "platform.h"
#include "text.h"

#include <cstdio>
#include <cstring>
#include <new>

namespace PreferenceFile {

// What a line is, in one word: LINE_GROUP, LINE_COMMENT, or for a key the address of its name
// (never 1 or 2). Read it through IsGroup, IsComment, IsKey and KeyNameOf; KeyTag makes a key's.
using LineTag = uintptr_t;
static const LineTag LINE_GROUP = 1;
static const LineTag LINE_COMMENT = 2;

// One stored line.
struct PreferenceLine {
    PreferenceLine* next; // the next line in file order; null for the last
    LineTag tag;          // what the line is, and a key's name
    char* text;           // the group's name, the comment's text or the key's value
};

// Line records live in blocks, released together with the model. The parser fills blocks that grow
// with the file read so far (the first lines take one block each, so that a small file costs
// little); every record a write adds takes a block of its own.
struct LineBlock {
    LineBlock* next; // the block made before this one
    size_t capacity; // records the block has room for, behind this header
    size_t used;     // of them
};
static const size_t MAX_BLOCK_LINES = 4096;

static PreferenceLine* LinesOf(LineBlock* block) {
    return (PreferenceLine*)(block + 1);
}

// The open file and its model, owned by this library alone; all zero when no file is open.
struct PreferenceState {
    PlatformFile file;           // the open file; 0: none
    bool readOnly;               // opened for reading only: never written
    bool modified;               // a key was stored: Close writes the file back
    char* content;               // the file as read, plus zero bytes; null when there is none
    char* contentEnd;            // the zero byte behind the content
    PreferenceLine* firstLine;   // the model's first line; null when it has none
    LineBlock* blocks;           // every block of records, the newest first
    size_t lineCount;            // records the parser made
    bool storedTexts;            // a write gave a record a text of its own, outside the content
    PreferenceLine* groupCursor; // null: the top section
    PreferenceLine* keyCursor;   // null: before the first line; a group header: before its first key
    char* pendingGroup;          // a missing group SelectGroup named, which the next write adds
};

static PreferenceState g_state;

// All memory of the library, texts and record blocks alike: null when there is none, never an
// exception.
static char* Allocate(size_t size) {
    return new (std::nothrow) char[size];
}
static void Release(void* memory) {
    delete[] static_cast<char*>(memory);
}

// The UTF-8 byte-order mark, which some editors write at the start of a file.
static const char BYTE_ORDER_MARK[] = "\xEF\xBB\xBF";

static bool StartsWithByteOrderMark(const char* text) {
    return std::strncmp(text, BYTE_ORDER_MARK, 3) == 0;
}

// A zero byte ends a line like CR and LF do, so that the rest of such a line is read as a line of
// its own rather than dropped.
static bool IsLineEnd(char c) {
    return c == '\r' || c == '\n' || c == 0;
}

static bool IsGroup(const PreferenceLine* line) {
    return line->tag == LINE_GROUP;
}
static bool IsComment(const PreferenceLine* line) {
    return line->tag == LINE_COMMENT;
}
static bool IsKeyTag(LineTag tag) {
    return tag != LINE_GROUP && tag != LINE_COMMENT;
}
static bool IsKey(const PreferenceLine* line) {
    return IsKeyTag(line->tag);
}
static char* KeyNameOf(const PreferenceLine* line) {
    return (char*)line->tag;
}
static LineTag KeyTag(char* name) {
    return (LineTag)name;
}

// Texts inside the content buffer are released with it, never on their own.
static bool InsideContent(const char* text) {
    if (!g_state.content || !text) return false;
    uintptr_t address = (uintptr_t)text;
    return address >= (uintptr_t)g_state.content && address <= (uintptr_t)g_state.contentEnd;
}

static void ReleaseText(char* text) {
    if (text && !InsideContent(text)) Release(text);
}

static char* CopyText(const char* text) {
    if (!text) text = "";
    size_t length = std::strlen(text);
    char* copy = Allocate(length + 1);
    if (copy) std::memcpy(copy, text, length + 1);
    return copy;
}

static PreferenceLine* StartLine(PreferenceLine* line, LineTag tag, char* text) {
    *line = PreferenceLine{nullptr, tag, text};
    return line;
}

// A record in a new block with room for capacity records; null when there is no room.
static PreferenceLine* NewLineInNewBlock(size_t capacity, LineTag tag, char* text) {
    LineBlock* block = (LineBlock*)Allocate(sizeof(LineBlock) + capacity * sizeof(PreferenceLine));
    if (!block) return nullptr;
    block->next = g_state.blocks;
    block->capacity = capacity;
    block->used = 1;
    g_state.blocks = block;
    return StartLine(LinesOf(block), tag, text);
}

// A record for a line the parser read: in the newest block while it has room.
static PreferenceLine* NewParsedLine(LineTag tag, char* text) {
    LineBlock* block = g_state.blocks;
    g_state.lineCount++;
    if (!block || block->used == block->capacity) {
        size_t capacity = g_state.lineCount / 4;
        if (capacity < 1) capacity = 1;
        if (capacity > MAX_BLOCK_LINES) capacity = MAX_BLOCK_LINES;
        return NewLineInNewBlock(capacity, tag, text);
    }
    return StartLine(LinesOf(block) + block->used++, tag, text);
}

// Links line in behind after, or at the head of the list when after is null.
static void InsertBehind(PreferenceLine* after, PreferenceLine* line) {
    line->next = after ? after->next : g_state.firstLine;
    if (after)
        after->next = line;
    else
        g_state.firstLine = line;
}

static PreferenceLine* LastLine() {
    PreferenceLine* line = g_state.firstLine;
    while (line && line->next)
        line = line->next;
    return line;
}

// Pending when there was no room for a copy of the missing group's name: reads give their
// defaults as for any missing group, and writes are refused instead of landing in another group.
static char g_unnamedPendingGroup[1];

static void ClearPendingGroup() {
    if (g_state.pendingGroup != g_unnamedPendingGroup) Release(g_state.pendingGroup);
    g_state.pendingGroup = nullptr;
}

// Releases the records and their texts, and the content buffer unless the caller keeps it.
static void ReleaseModel() {
    for (PreferenceLine* line = g_state.storedTexts ? g_state.firstLine : nullptr; line; line = line->next) {
        if (IsKey(line)) ReleaseText(KeyNameOf(line));
        ReleaseText(line->text);
    }
    LineBlock* block = g_state.blocks;
    while (block) {
        LineBlock* next = block->next;
        Release(block);
        block = next;
    }
    Release(g_state.content);
    ClearPendingGroup();
    g_state = PreferenceState();
}

// ---- Reading -------------------------------------------------------------------------------------

// Bytes of zeros behind the content: the terminator and room for a scan's last eight-byte read.
static const size_t CONTENT_PADDING = 8;

// The first byte from p on that ends the line (CR, LF or the zero byte) or is the stop ("=" ends a
// key's name, "]" a group's; 0 for none), eight bytes at a time (the first byte of a word is its
// lowest on the little-endian processors this runs on).
static char* ScanTo(char* p, char stop) {
    const uint64_t ones = 0x0101010101010101ull;
    uint64_t other = (uint64_t)(unsigned char)stop * ones;
    for (;;) {
        uint64_t word;
        std::memcpy(&word, p, sizeof word);
        uint64_t found = ZeroBytes(word) | ZeroBytes(word ^ ('\r' * ones)) | ZeroBytes(word ^ ('\n' * ones)) |
                         ZeroBytes(word ^ other);
        if (found) return p + __builtin_ctzll(found) / 8;
        p += sizeof word;
    }
}

// What one line is, its texts cut in place in the buffer that holds it. text null: a blank line.
struct ParsedLine {
    LineTag tag;
    char* text;
};

// Parses the line at p, cutting its texts in place; returns where its line end (CR, LF or a zero
// byte) starts. Every line of every file is read here, whether into the model or by Scan.
static char* ParseLine(char* p, ParsedLine* line) {
    while (IsBlank(*p))
        p++;
    LineTag tag = 0;
    char* text = nullptr;
    if (*p == ';') {
        p++;
        if (*p == ' ') p++;
        tag = LINE_COMMENT;
        text = p;
        p = ScanTo(p, 0);
        *p = 0;
    } else if (*p == '[') {
        p++;
        tag = LINE_GROUP;
        text = p;
        p = ScanTo(p, ']');
        bool closed = *p == ']';
        *p = 0;
        if (closed) {
            p++;
            p = ScanTo(p, 0);
        }
    } else if (!IsLineEnd(*p)) {
        char* name = p;
        p = ScanTo(p, '=');
        char* nameEnd = p;
        while (nameEnd > name + 1 && IsBlank(nameEnd[-1]))
            nameEnd--;
        text = nameEnd; // a line without "=" has the name's terminator as its empty value
        if (*p == '=') {
            p++;
            if (*p == ' ') p++;
            text = p;
            p = ScanTo(p, 0);
            *p = 0;
        }
        *nameEnd = 0;
        tag = KeyTag(name);
    }
    *line = ParsedLine{tag, text};
    return p;
}

// Cuts the content buffer into line records. False when a record cannot be allocated: the model
// would then miss lines that a later write-out would drop. The zero byte behind the content ends
// every scan.
static bool Parse() {
    char* p = g_state.content;
    char* end = g_state.contentEnd;
    if (StartsWithByteOrderMark(p)) p += 3;
    PreferenceLine* last = nullptr;
    while (p < end) {
        ParsedLine parsed;
        p = ParseLine(p, &parsed);
        if (parsed.text) {
            PreferenceLine* line = NewParsedLine(parsed.tag, parsed.text);
            if (!line) return false;
            InsertBehind(last, line);
            last = line;
        }
        while (p < end && IsLineEnd(*p))
            p++;
    }
    return true;
}

// ---- Scanning ------------------------------------------------------------------------------------

// Scan's buffer at first; it doubles for a line longer than it holds.
static const size_t SCAN_BUFFER_SIZE = 65536;

// Where the whole lines of the text from p to end stop: just behind its last line end; p when it
// holds none.
static char* BehindLastLineEnd(char* p, char* end) {
    for (char* at = end; at > p; at--)
        if (IsLineEnd(at[-1])) return at;
    return p;
}

// The file and the buffer of a scan, let go of however the scan ends.
struct ScanState {
    PlatformFile file;
    char* buffer;
    ~ScanState() {
        PlatformFileClose(file);
        Release(buffer);
    }
};

// Hands the parsed lines from p up to limit to the handler.
static char* HandLines(char* p, char* limit, const ScanHandler& handler) {
    while (p < limit) {
        ParsedLine line;
        p = ParseLine(p, &line);
        if (line.tag == LINE_GROUP)
            handler.group(handler.context, line.text);
        else if (line.text && IsKeyTag(line.tag))
            handler.key(handler.context, (const char*)line.tag, line.text);
        while (p < limit && IsLineEnd(*p))
            p++;
    }
    return p;
}

bool Scan(const char* path, const ScanHandler& handler) {
    ScanState scan = {PlatformFileOpenForReading(path), nullptr};
    int64_t size = scan.file ? PlatformFileSize(scan.file) : -1;
    size_t capacity = SCAN_BUFFER_SIZE;
    scan.buffer = size >= 0 ? Allocate(capacity + CONTENT_PADDING) : nullptr;
    if (!scan.buffer) return false;
    handler.start(handler.context, size);
    int64_t read = 0;
    size_t filled = 0; // bytes in the buffer not yet handed over: a line not read to its end
    for (bool atStart = true;;) {
        if (filled == capacity) {
            if (capacity * 2 > (size_t)PLATFORM_FILE_SIZE_LIMIT) return false;
            char* larger = Allocate(capacity * 2 + CONTENT_PADDING);
            if (!larger) return false;
            std::memcpy(larger, scan.buffer, filled);
            Release(scan.buffer);
            scan.buffer = larger;
            capacity *= 2;
        }
        int64_t got = PlatformFileRead(scan.file, scan.buffer + filled, (int64_t)(capacity - filled));
        // Less than the whole file: it could not be read to its end.
        if (got == 0 && read < size) return false;
        read += got;
        filled += (size_t)got;
        char* p = scan.buffer;
        char* end = p + filled;
        std::memset(end, 0, CONTENT_PADDING);
        if (atStart && StartsWithByteOrderMark(p)) p += 3;
        atStart = false;
        // Only whole lines, but at the end of the file: that ends the last one.
        char* rest = got == 0 ? end : BehindLastLineEnd(p, end);
        HandLines(p, rest, handler);
        if (got == 0) return true;
        filled = (size_t)(end - rest);
        std::memmove(scan.buffer, rest, filled);
    }
}

// Reads the whole file into the content buffer. False when it is too large for the format or for
// memory, or cannot be read whole: a later write-out would destroy what was not read.
static bool ReadContent() {
    int64_t size = PlatformFileSize(g_state.file);
    if (size < 0 || size > PLATFORM_FILE_SIZE_LIMIT) return false;
    if (size == 0) return true;
    char* content = Allocate((size_t)size + CONTENT_PADDING);
    if (!content) return false;
    g_state.content = content;
    g_state.contentEnd = content + size;
    std::memset(g_state.contentEnd, 0, CONTENT_PADDING);
    // The file was just opened: reading starts at its beginning.
    if (PlatformFileRead(g_state.file, content, size) != size) return false;
    return Parse();
}

// Reads and parses the file just opened; false, with none open, when it could not be opened or read.
static bool ReadOpened() {
    if (!g_state.file) {
        ReleaseModel();
        return false;
    }
    if (!ReadContent()) {
        // Nothing may be written over content that was not read: drop the model without writing.
        PlatformFileClose(g_state.file);
        ReleaseModel();
        return false;
    }
    return true;
}

bool Open(const char* path) {
    Close();
    g_state.file = PlatformFileOpenReadWrite(path);
    if (!g_state.file) {
        // Shown even where it may not be written; then it never is.
        g_state.file = PlatformFileOpenForReading(path);
        g_state.readOnly = true;
    }
    return ReadOpened();
}

bool Create(const char* path) {
    Close();
    g_state.file = PlatformFileCreate(path);
    return g_state.file != 0;
}

// ---- Writing back --------------------------------------------------------------------------------

static size_t LineLength(const PreferenceLine* line) {
    size_t length = std::strlen(line->text);
    return IsKey(line) ? std::strlen(KeyNameOf(line)) + length + 5 : length + 4;
}

static char* Append(char* out, const char* text) {
    size_t length = std::strlen(text);
    std::memcpy(out, text, length);
    return out + length;
}

static void WriteCanonical() {
    // Summed in 64 bits: a 32-bit process could otherwise wrap the size and overrun the buffer.
    uint64_t size = 0;
    for (PreferenceLine* line = g_state.firstLine; line; line = line->next)
        size += LineLength(line);
    if (size == 0) {
        PlatformFileReplaceContent(g_state.file, nullptr, 0);
        return;
    }
    // A first key whose name begins with the mark's bytes would lose them to the next read, which
    // skips a mark at the very start: a blank in front keeps them.
    const PreferenceLine* first = g_state.firstLine;
    bool blankFirst = IsKey(first) && StartsWithByteOrderMark(KeyNameOf(first));
    size += blankFirst;
    if (size > PLATFORM_FILE_SIZE_LIMIT || size + 1 > (uint64_t)SIZE_MAX) return;
    char* buffer = Allocate((size_t)size + 1);
    if (!buffer) return;
    char* out = blankFirst ? Append(buffer, " ") : buffer;
    for (PreferenceLine* line = g_state.firstLine; line; line = line->next) {
        if (IsGroup(line)) {
            out = Append(out, "[");
            out = Append(out, line->text);
            out = Append(out, "]");
        } else if (IsComment(line)) {
            out = Append(out, "; ");
            out = Append(out, line->text);
        } else {
            out = Append(out, KeyNameOf(line));
            out = Append(out, " = ");
            out = Append(out, line->text);
        }
        out = Append(out, "\r\n");
    }
    *out = 0;
    // A failed or short write is not reported: nobody could act on it.
    PlatformFileReplaceContent(g_state.file, buffer, (int64_t)size);
    Release(buffer);
}

static void CloseFile() {
    if (!g_state.file) return;
    if (g_state.modified && !g_state.readOnly) WriteCanonical();
    PlatformFileClose(g_state.file);
}

void Close() {
    CloseFile();
    ReleaseModel();
}

// ---- Lookups and enumeration --------------------------------------------------------------------

static PreferenceLine* SectionStart() {
    return g_state.groupCursor ? g_state.groupCursor->next : g_state.firstLine;
}

static PreferenceLine* FindKeyLine(const char* key) {
    for (PreferenceLine* line = SectionStart(); line && !IsGroup(line); line = line->next)
        if (IsKey(line) && EqualFoldAscii(KeyNameOf(line), key)) return line;
    return nullptr;
}

const char* FindKey(const char* key) {
    if (!g_state.file || g_state.pendingGroup) return nullptr;
    PreferenceLine* line = FindKeyLine(key);
    return line ? line->text : nullptr;
}

bool SelectGroup(const char* name) {
    if (!g_state.file) return false;
    if (!name || !*name) {
        g_state.groupCursor = nullptr;
        g_state.keyCursor = nullptr;
        ClearPendingGroup();
        return true;
    }
    for (PreferenceLine* line = g_state.firstLine; line; line = line->next) {
        if (IsGroup(line) && EqualFoldAscii(line->text, name)) {
            g_state.groupCursor = line;
            g_state.keyCursor = line;
            ClearPendingGroup();
            return true;
        }
    }
    // Remembered for the next write, which creates the group.
    ClearPendingGroup();
    g_state.pendingGroup = CopyText(name);
    if (!g_state.pendingGroup) g_state.pendingGroup = g_unnamedPendingGroup;
    return false;
}

int32_t ReadNumber(const char* key, int32_t defaultValue) {
    const char* value = FindKey(key);
    return value ? ParseDecimal32(value, IsCSpace) : defaultValue;
}

std::string ReadText(const char* key, const char* defaultValue) {
    const char* value = FindKey(key);
    if (value) return std::string(value);
    return std::string(defaultValue ? defaultValue : "");
}

char* StoreKey(const char* key, size_t length) {
    if (!g_state.file) return nullptr;
    if (length >= SIZE_MAX || g_state.pendingGroup == g_unnamedPendingGroup) return nullptr;
    g_state.storedTexts = true;
    char* name = CopyText(key);
    if (!name) return nullptr;
    if (g_state.pendingGroup) {
        PreferenceLine* group = NewLineInNewBlock(1, LINE_GROUP, g_state.pendingGroup);
        if (!group) {
            Release(name);
            return nullptr;
        }
        InsertBehind(LastLine(), group);
        g_state.pendingGroup = nullptr;
        g_state.groupCursor = group;
        g_state.keyCursor = group;
    }
    PreferenceLine* line = FindKeyLine(key);
    if (line) {
        if (length > std::strlen(line->text)) {
            char* storage = Allocate(length + 1);
            if (!storage) {
                Release(name);
                return nullptr;
            }
            storage[0] = 0;
            ReleaseText(line->text);
            line->text = storage;
        }
        ReleaseText(KeyNameOf(line));
        line->tag = KeyTag(name);
    } else {
        char* storage = Allocate(length + 1);
        line = storage ? NewLineInNewBlock(1, KeyTag(name), storage) : nullptr;
        if (!line) {
            Release(storage);
            Release(name);
            return nullptr;
        }
        storage[0] = 0;
        // Behind the section's last key or comment, in front of the next group header.
        PreferenceLine* after = g_state.groupCursor;
        for (PreferenceLine* l = SectionStart(); l && !IsGroup(l); l = l->next)
            after = l;
        InsertBehind(after, line);
    }
    g_state.keyCursor = line;
    g_state.modified = true;
    return line->text;
}

void WriteNumber(const char* key, int32_t value) {
    char text[16];
    int length = std::snprintf(text, sizeof text, "%d", (int)value);
    if (length < 0) return;
    char* storage = StoreKey(key, (size_t)length);
    if (storage) std::memcpy(storage, text, (size_t)length + 1);
}

bool RewindGroups() {
    if (!g_state.file) return false;
    g_state.groupCursor = nullptr;
    g_state.keyCursor = nullptr;
    ClearPendingGroup();
    return true;
}

bool NextGroup() {
    if (!g_state.file) return false;
    for (PreferenceLine* line = SectionStart(); line; line = line->next) {
        if (IsGroup(line)) {
            g_state.groupCursor = line;
            return true;
        }
    }
    return false;
}

std::string GroupName() {
    return g_state.groupCursor ? g_state.groupCursor->text : "";
}

bool RewindKeys() {
    if (!g_state.file || g_state.pendingGroup) return false;
    g_state.keyCursor = g_state.groupCursor;
    return true;
}

bool NextKey() {
    if (!g_state.file || g_state.pendingGroup) return false;
    PreferenceLine* line = g_state.keyCursor ? g_state.keyCursor->next : g_state.firstLine;
    while (line && IsComment(line))
        line = line->next;
    if (!line || IsGroup(line)) return false;
    g_state.keyCursor = line;
    return true;
}

std::string KeyName() {
    const PreferenceLine* line = g_state.keyCursor;
    return line && IsKey(line) ? KeyNameOf(line) : "";
}

} // namespace PreferenceFile
