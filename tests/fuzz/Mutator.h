#pragma once
// A small, seeded mutator for the bounded fuzz runs: takes one of the seeds and changes a
// few bytes, ranges or tokens of it, the way coverage-guided fuzzers do, without guidance.

#include <QByteArray>
#include <QList>
#include <QRandomGenerator>

class Mutator
{
public:
    Mutator(quint32 seed, QList<QByteArray> seeds, QList<QByteArray> tokens)
        : m_random(seed)
        , m_seeds(std::move(seeds))
        , m_tokens(std::move(tokens))
    {}

    QRandomGenerator &random() { return m_random; }

    // A seed changed one to eight times; `keep` leading bytes stay as they are.
    QByteArray next(qsizetype keep = 0)
    {
        QByteArray data = m_seeds[pick(m_seeds.size())];
        const int steps = 1 + pick(8);
        for (int i = 0; i < steps; ++i)
            mutate(data, keep);
        return data;
    }

private:
    int pick(qsizetype n) { return n <= 0 ? 0 : int(m_random.bounded(quint32(n))); }

    void mutate(QByteArray &data, qsizetype keep)
    {
        static const char interesting[] = {0, '\xff', '\x7f', '\x80', '<', '>', '{', '}', '\\',
                                           '"', '&', ';', ':', '=', '\n', '\xc3'};
        const qsizetype size = data.size() - keep;
        const qsizetype at = keep + pick(size + 1);
        switch (pick(7)) {
        case 0: // flip a bit
            if (size > 0)
                data[keep + pick(size)] ^= char(1 << pick(8));
            break;
        case 1: // an interesting byte
            if (size > 0)
                data[keep + pick(size)] = interesting[pick(sizeof interesting)];
            break;
        case 2: // random bytes inserted
            data.insert(at, QByteArray::number(m_random.generate64(), 36).left(1 + pick(8)));
            break;
        case 3: // a range removed
            data.remove(at, pick(qMin<qsizetype>(64, data.size() - at) + 1));
            break;
        case 4: // a range repeated
            if (size > 0) {
                const qsizetype from = keep + pick(size);
                data.insert(at, data.mid(from, 1 + pick(32)).repeated(1 + pick(4)));
            }
            break;
        case 5: // a token of the format
            if (!m_tokens.isEmpty())
                data.insert(at, m_tokens[pick(m_tokens.size())]);
            break;
        default: // cut short
            data.truncate(at);
            break;
        }
    }

    QRandomGenerator m_random;
    QList<QByteArray> m_seeds;
    QList<QByteArray> m_tokens;
};
