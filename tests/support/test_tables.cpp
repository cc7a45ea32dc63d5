#include "test_tables.hpp"

#include <gtest/gtest.h>

#include <string>

#include "elements/ordering.hpp"

Tables tablesWith(std::initializer_list<std::string_view> problemLines) {
    Tables tables;
    tables.problems.records.resize(problemLines.size());
    Sink log;
    std::size_t i = 0;
    for (std::string_view line : problemLines) {
        int result = parseProblemLine(tables.problems[i], line, static_cast<std::int64_t>(i + 1), log);
        EXPECT_EQ(result, 0) << line;
        ++i;
    }
    indexPlacements(tables.problems);
    return tables;
}

ProblemRef bookProblem(const Tables& tables, int book) {
    ProblemRef p = findProblem(tables.problems, 0, book, 0);
    EXPECT_NE(p, nullptr) << "book number " << book;
    return p;
}

IndexElement& addElement(Tables& tables, const NewElement& wanted) {
    IndexElement e;
    e.id = static_cast<std::int32_t>(tables.elements.size()) + 2;  // as a run numbers them
    e.actual = 1;
    e.name = std::string(wanted.name);
    e.note = std::string(wanted.note);
    for (int book : wanted.books) e.zz.push_back(bookProblem(tables, book));
    e.zz_.assign(e.zz.size(), nullptr);
    std::size_t slot = 0;
    for (int book : wanted.starred) e.zz_.at(slot++) = bookProblem(tables, book);
    sortReferences(e);
    tables.elements.push_back(std::move(e));
    return tables.elements.back();
}

Bytes indexFile(Preamble variant, std::string_view entries) {
    Sink file;
    writePreamble(variant, file);
    file += entries;
    writeClosing(variant, file);
    return file.text();
}
