#include "option_substitution.h"

#include <bitset>
#include <vector>

#include "code_checks.h"
#include "entries.h"
#include "option_code.h"

namespace {

// A long line is worked on in chunks, each cut right after a delimiter, so
// that a substitution rewrites only the chunks that hold the name instead of
// the whole line. RReplace gives the same text chunk by chunk as on the whole
// line when the name holds no delimiter: an occurrence can then never span a
// cut, and the skip after an occurrence that is part of a longer name stops
// at the latest at the delimiter that ends the chunk. Chunks are cut outside
// quoted text, and what a substitution puts in holds whole quoted texts, so
// each chunk tells quoted text from code as the whole line does.
class ChunkedLine {
public:
    explicit ChunkedLine(const std::wstring& line) {
        constexpr size_t kChunkLength = 512;
        // Cuts lie outside quoted text, so every chunk starts in code.
        const std::vector<bool> quoted = QuotedCharacters(line);
        size_t start = 0;
        for (size_t i = 0; i < line.size(); ++i) {
            if (i + 1 - start >= kChunkLength && !quoted[i] && IsDelimiter(line[i])) {
                AddChunk(line.substr(start, i + 1 - start));
                start = i + 1;
            }
        }
        AddChunk(line.substr(start));
    }

    void Replace(const std::wstring& name, const std::wstring& text) {
        if (!CanChunk(name)) {
            *this = ChunkedLine(RReplace(Joined(), name, text));
            return;
        }
        const std::vector<size_t> pairs = PairIndexes(name);
        for (Chunk& chunk : chunks_) {
            if (!HoldsAll(chunk.pairs, pairs) || chunk.text.find(name) == std::wstring::npos) continue;
            chunk.text = RReplace(chunk.text, name, text);
            chunk.pairs = PairsOf(chunk.text);
        }
    }

    std::wstring Joined() const {
        std::wstring line;
        for (const Chunk& chunk : chunks_) line += chunk.text;
        return line;
    }

private:
    // Which pairs of adjacent characters a text holds (hashed): a chunk that
    // lacks one of the name's pairs cannot hold the name.
    static constexpr size_t kPairBits = 4096;
    using Pairs = std::bitset<kPairBits>;
    struct Chunk {
        std::wstring text;
        Pairs pairs;
    };

    static std::vector<size_t> PairIndexes(const std::wstring& text) {
        std::vector<size_t> indexes;
        for (size_t i = 1; i < text.size(); ++i) {
            indexes.push_back((static_cast<size_t>(text[i - 1]) * 31 + static_cast<size_t>(text[i])) % kPairBits);
        }
        return indexes;
    }

    static Pairs PairsOf(const std::wstring& text) {
        Pairs pairs;
        for (const size_t index : PairIndexes(text)) pairs.set(index);
        return pairs;
    }

    static bool HoldsAll(const Pairs& pairs, const std::vector<size_t>& indexes) {
        for (const size_t index : indexes) {
            if (!pairs.test(index)) return false;
        }
        return true;
    }

    static bool CanChunk(const std::wstring& name) {
        if (name.empty()) return false;
        for (const wchar_t c : name) {
            if (IsDelimiter(c)) return false;
        }
        return true;
    }

    void AddChunk(std::wstring text) { chunks_.push_back({text, PairsOf(text)}); }

    std::vector<Chunk> chunks_;
};

}  // namespace

bool IsPendingOption(cST_aiR& dialog, int i) {
    return !dialog.optionInclude(i).empty() && dialog.optionDone(i) == 0 && !dialog.optionRName(i).empty();
}

std::wstring SubstituteOptions(const std::wstring& line, cST_aiR& dialog) {
    ChunkedLine chunked(line);
    int inputCounter = 0;
    int comboCounter = 0;
    const int options = Entries(dialog.optionRName);
    for (int i = 1; i <= options; ++i) {
        if (IsPendingOption(dialog, i)) {
            const std::wstring& rName = dialog.optionRName(i);
            const std::wstring name = rName.substr(0, rName.find(L','));
            chunked.Replace(name, GetRCodeForOption(dialog, i, inputCounter, comboCounter));
        } else {
            CountOptionKind(dialog, i, inputCounter, comboCounter);
        }
    }
    return chunked.Joined();
}
