#!/usr/bin/env python3
"""Generate a realistic annotated book source for olyindex, and its template.

    gen_book.py --problems N [--seed S] [--refs R] [--placements P]
                [--target-mb M] OUTDIR

writes OUTDIR/book.src and OUTDIR/indeksal_yazykov.tex.template, both in code
page 1251. The same arguments always give the same bytes (only the standard
library's seeded random generator is used, never the order of a set or a
hash).

The book has N problems. Each problem line holds the book number 0/n and
olympiad placements, about P placements in all (default 7, at most 11 by the
format), a few of them with subnumbers, a few problems marked NS. The element
sections hold about R references per problem (default 15) spread over every
kind of element: languages ("... язык", some with a dialect), terms (some in
<<quotes>>, some with {}язык, a few with makeindex's special characters),
places "=источник задачи: E-R-G-S", "=автор условия ...", "=автор решения
...", "=РЯ ...". References are written in the section of the source whose
numbers they use: the book's own section #/0 or an olympiad section, so one
heading stands on many lines and the tool merges them. Some references carry a
star, some lines a note ("см. также ...", "[...]"); every numbered section has
its source lines "! label" and "!! full name"; a "#/-" section holds elements
without numbers. Every line stays far below the 2048-character limit.

--target-mb M keeps N and raises R until the source is about M megabytes
(N is capped at 9,999 by the four-digit book numbers, so a larger source means
a denser index).
"""

import argparse
import bisect
import itertools
import os
import random
import sys

MAX_LINE = 1800  # bytes before the line feed; the tool's limit is 2047
BOOK_SHARE = 0.85  # references written with book numbers, in section #/0

# ---------------------------------------------------------------- vocabulary

ONSETS = ["б", "в", "г", "д", "ж", "з", "к", "л", "м", "н", "п", "р", "с", "т",
          "ф", "х", "ц", "ч", "ш", "бр", "гр", "кр", "тл", "шл", "дз", "кв"]
VOWELS = ["а", "е", "и", "о", "у", "ы", "а", "о", "и", "э"]
CODAS = ["", "", "", "н", "р", "л", "м", "т", "к"]

FAMILIES = ["абхазо-адыгская семья", "австронезийская семья", "уральская семья",
            "тюркская семья", "изолят", "кельтская ветвь", "славянская ветвь",
            "индоарийская ветвь", "картвельская семья", "енисейская семья",
            "афразийская семья", "австроазиатская семья", "семья на-дене",
            "чукотско-камчатская семья", "нахско-дагестанская семья",
            "дравидийская семья", "сино-тибетская семья", "семья банту",
            "алгонкинская семья", "италийская ветвь"]

TERM_HEADS = ["падеж", "аффикс", "морфема", "порядок", "гармония", "система",
              "согласование", "оппозиция", "дешифровка", "иероглифика",
              "заимствования", "инкорпорация", "редупликация", "аблаут",
              "умлаут", "тоны", "ударение", "алфавит", "календарь", "письмо",
              "транскрипция", "омонимия", "полисемия", "эргативность",
              "притяжательность", "эвиденциальность", "классы", "числительные",
              "местоимения", "наклонение", "залог", "вид", "время", "лицо",
              "число", "род", "определённость", "сочинение", "подчинение",
              "эллипсис", "метатеза", "ассимиляция", "диссимиляция",
              "палатализация", "назализация", "долгота", "слог", "фонема",
              "графема", "лигатура", "огласовка", "клинопись", "руны",
              "узелковое письмо", "словообразование", "словосложение",
              "конверсия", "супплетивизм", "послелоги", "предлоги", "частицы",
              "союзы", "глагол", "существительное", "прилагательное", "наречие"]
TERM_GENITIVES = ["слов", "гласных", "согласных", "счёта", "родства", "глагола",
                  "имени", "падежей", "лиц", "чисел", "времён", "наклонений",
                  "слогов", "морфем", "корней", "основ", "аффиксов", "тонов",
                  "ударений", "знаков", "иероглифов", "дат", "месяцев",
                  "цветов", "частей тела", "животных", "растений", "действий",
                  "состояний", "предметов", "людей", "мест", "направлений",
                  "посессора", "субъекта", "объекта", "адресата",
                  "инструмента", "пациенса", "агенса", "числительных",
                  "местоимений", "союзов", "частиц", "имён собственных",
                  "топонимов", "этнонимов", "заимствований", "диалектов",
                  "текста"]
TERM_SPECIAL = ["восклицание (!)", "вертикальная черта |", "знак @ в адресах",
                "кавычки \"лапки\"", "обратная косая черта \\ в записи"]
QUOTED = ["ложные друзья переводчика", "искусственные {}языки", "Слово о полку",
          "говорящие имена", "народная этимология", "{}язык-посредник",
          "машинный перевод", "мёртвые {}языки", "тайные {}языки", "детская речь"]
NOTES = ["см. также {term}", "ср. {term}", "см. {term}"]
BRACKETS = ["[в том числе расщеплённая]", "[дательный]", "[отчасти]",
            "[только в диалектах]", "[в поэзии]", "[реконструкция]",
            "[в заимствованиях]", "[по данным словаря]"]

SURNAMES = ["Аистов", "Белкин", "Воронцов", "Грачёв", "Гусев", "Дроздов",
            "Журавлёв", "Зайцев", "Кречетов", "Лебедев", "Синицын", "Щеглов",
            "Соколов", "Орлов", "Ястребов", "Волков", "Медведев", "Лисицын",
            "Соболев", "Куницын", "Бобров", "Лосев", "Туров", "Зубров",
            "Галкин", "Чайкин", "Сорокин", "Снегирёв", "Скворцов", "Уткин",
            "Гусаков", "Петухов", "Курочкин", "Цаплин", "Жаворонков",
            "Соловьёв", "Дятлов", "Кукушкин", "Филинов", "Совин", "Беркутов",
            "Коршунов", "Ласточкин", "Стрижов", "Чижов", "Щуркин", "Иволгин",
            "Коростелёв", "Перепёлкин", "Тетеревин", "Рябчиков", "Глухарёв",
            "Фазанов", "Павлинов", "Голубев", "Воробьёв", "Пеночкин",
            "Зябликов", "Овсянкин", "Клестов", "Свиристелев", "Мухоловкин",
            "Камышников", "Осокин", "Рогозин", "Ольхов", "Берёзин", "Дубов",
            "Клёнов", "Ясенев", "Липин", "Рябинин", "Калинин", "Черёмухин",
            "Сосновский", "Еловский", "Кедров", "Пихтин", "Можжевельников"]
INITIALS = "АБВГДЕЖЗИКЛМНОПРСТУФЭЮЯ"

RUSSIAN_TOPICS = ["вид глагола", "падежи", "ударение", "заимствования",
                  "словообразование", "приставки", "суффиксы", "орфография",
                  "пунктуация", "древнерусские тексты", "церковнославянизмы",
                  "диалекты", "фразеология", "причастия", "деепричастия",
                  "числительные", "местоимения", "имена собственные",
                  "беглые гласные", "чередования", "омонимы", "паронимы",
                  "жаргон", "этимология", "акцентология", "интонация"]
RUSSIAN_QUOTED = ["Слово о полку Игореве", "Повесть временных лет",
                  "Русская правда", "Домострой", "Задонщина"]

CITIES = ["Приозёрск", "Заречье", "Верхнеозёрск", "Новоборск", "Староселье",
          "Белогорск", "Красноборье"]


def encode(text):
    return text.encode("cp1251")


class Vocabulary:
    """Distinct headings of every kind, drawn once from the seeded generator."""

    def __init__(self, rng, problems):
        self.rng = rng
        self.languages = self._languages(max(30, problems // 4))
        self.extra_languages = self._languages(max(5, problems // 40), taken=set(self.languages))
        self.terms = self._terms(max(80, problems // 2))
        self.authors = self._authors(max(12, problems // 25))
        self.topics = self._topics(max(10, problems // 40))
        self.olympiads = max(12, problems // 60)

    def _adjective(self):
        rng = self.rng
        word = rng.choice(["", "а", "о", "у", "и"])
        for _ in range(rng.choice([2, 2, 3])):
            word += rng.choice(ONSETS) + rng.choice(VOWELS)
        if rng.random() < 0.5:
            word += rng.choice(CODAS[3:])
            return word + rng.choice(["ский", "инский", "анский", "ийский"])
        return word + rng.choice(["нский", "йский", "рский", "вский", "кский"])

    def _languages(self, count, taken=None):
        taken = set() if taken is None else set(taken)
        result = []
        while len(result) < count:
            adjective = self._adjective()
            if adjective in taken or "язык" in adjective:
                continue
            taken.add(adjective)
            result.append(adjective)
        return result

    def _terms(self, count):
        rng = self.rng
        pool = list(TERM_HEADS)
        pool += [h + " " + g for h, g in itertools.product(TERM_HEADS, TERM_GENITIVES)]
        rng.shuffle(pool)
        result = pool[:count]
        seen = set(result)
        while len(result) < count:  # very large books: quoted pseudo-words
            word = "слово <<" + self._adjective()[:-3] + ">>"
            if word not in seen:
                seen.add(word)
                result.append(word)
        # A few special forms anywhere in the list: quoted, {}язык, makeindex specials.
        specials = ["<<" + q + ">>" for q in QUOTED] + ["{}языковая игра", "пра{}язык", "{}язык жестов"]
        specials += TERM_SPECIAL
        for i, s in enumerate(specials):
            if i < len(result):
                result[rng.randrange(len(result))] = s
        return list(dict.fromkeys(result))

    def _authors(self, count):
        rng = self.rng
        seen = set()
        result = []
        while len(result) < count:
            surname = rng.choice(SURNAMES)
            if rng.random() < 0.4:
                surname = surname[:-1] + "ая" if surname.endswith("ий") else surname + "а"
            name = "%s %s. %s." % (surname, rng.choice(INITIALS), rng.choice(INITIALS))
            if name not in seen:
                seen.add(name)
                result.append(name)
        return result

    def _topics(self, count):
        rng = self.rng
        result = list(RUSSIAN_TOPICS) + ["<<" + q + ">>" for q in RUSSIAN_QUOTED]
        for head, gen in itertools.product(TERM_HEADS, TERM_GENITIVES):
            if len(result) >= count:
                break
            if rng.random() < 0.05:
                result.append(head + " " + gen)
        return result[:max(count, 10)]

    def stressed(self, adjective):
        vowels = [i for i, c in enumerate(adjective) if c in "аеиоуыэюя"]
        i = self.rng.choice(vowels) if vowels else 0
        return adjective[:i] + "\\'" + adjective[i:]


class Zipf:
    """Draws indexes 0..n-1, low ones more often (weight 1/(i+1)^s)."""

    def __init__(self, rng, n, s):
        self.rng = rng
        self.cum = list(itertools.accumulate(1.0 / (i + 1) ** s for i in range(n)))

    def draw(self):
        x = self.rng.random() * self.cum[-1]
        return min(bisect.bisect_left(self.cum, x), len(self.cum) - 1)

    def distinct(self, k):
        result = []
        seen = set()
        tries = 0
        while len(result) < k and tries < 50 * k + 50:
            tries += 1
            i = self.draw()
            if i not in seen:
                seen.add(i)
                result.append(i)
        return result


# ------------------------------------------------------------------- problems

def make_problems(rng, n, placements, sources):
    """Each problem: book number, placements [(source, number, subnumber or None)], NS."""
    extra_mean = max(0.0, placements - 1.0)
    problem_sources = []
    for _ in range(n):
        k = int(round(rng.gauss(extra_mean, 1.2)))
        k = max(0, min(10, min(k, len(sources))))
        problem_sources.append(rng.sample(sources, k))
    # Number the problems in each source: a permutation of 1..count, some
    # pairs sharing a number with subnumbers .1 and .2.
    members = {s: [] for s in sources}
    for p, ss in enumerate(problem_sources):
        for s in ss:
            members[s].append(p)
    place = {}
    for s in sources:
        ps = members[s]
        rng.shuffle(ps)
        number = 0
        i = 0
        while i < len(ps):
            number += 1
            if number > 9999:
                raise SystemExit("too many problems in source %d" % s)
            if i + 1 < len(ps) and rng.random() < 0.03:
                place[(ps[i], s)] = (number, 1)
                place[(ps[i + 1], s)] = (number, 2)
                i += 2
            else:
                place[(ps[i], s)] = (number, None)
                i += 1
    problems = []
    for p in range(n):
        pl = [(0, p + 1, None)] + [(s,) + place[(p, s)] for s in problem_sources[p]]
        problems.append({"book": p + 1, "placements": pl, "ns": rng.random() < 0.05})
    return problems


def placement_text(source, number, sub):
    return "%d/%d" % (source, number) + ("" if sub is None else ".%d" % sub)


def problem_lines(rng, problems):
    lines = ["// Задачи книги: 0/N -- номер в книге, S/N -- номер в источнике S,",
             "// S/N.M -- номер с подномером; NS -- у задачи нет решения в книге.",
             "#!"]
    for i, pr in enumerate(problems):
        if i and i % 500 == 0:
            lines += ["", "// Задачи с номера %d" % (i + 1), "#!   // ещё раздел задач"]
        tokens = [placement_text(*pl) for pl in pr["placements"]]
        if pr["ns"]:
            tokens.insert(rng.randrange(1, len(tokens) + 1), "NS")
        if rng.random() < 0.1:  # hand-aligned lines: extra blanks, folded by the reader
            line = "   " + "  ".join(tokens)
        else:
            line = " ".join(tokens)
        if rng.random() < 0.02:
            line += "   // проверить по архиву"
        lines.append(line)
    return lines


# ------------------------------------------------------------------- elements

def make_references(rng, vocab, problems, refs):
    """A list of (heading, problem index, star) over every kind of element."""
    n_lang = Zipf(rng, len(vocab.languages), 0.7)
    n_term = Zipf(rng, len(vocab.terms), 0.8)
    n_auth = Zipf(rng, len(vocab.authors), 0.6)
    n_topic = Zipf(rng, len(vocab.topics), 0.7)
    dialects = {}
    references = []
    fixed_mean = 1.4 + 1.1 + 1.15 + 1.15 + 0.6
    term_mean = max(0.0, refs - fixed_mean)
    olympiads = vocab.olympiads
    for p in range(len(problems)):
        out = []
        # languages
        for i in n_lang.distinct(1 + (rng.random() < 0.4)):
            adjective = vocab.languages[i]
            heading = adjective + " язык"
            if rng.random() < 0.12:
                if adjective not in dialects:
                    dialects[adjective] = vocab.languages[(i * 7 + 3) % len(vocab.languages)]
                heading += " (%s диалект)" % dialects[adjective]
            out.append(heading)
        # places
        for _ in range(1 + (rng.random() < 0.1)):
            e = rng.randint(1, olympiads)
            r = rng.randint(1, 2)
            g = rng.choice(["Н", "Н", "В", "В", "НВ"])
            slot = rng.randint(0, 7)
            suffix = rng.choice("аб") if rng.random() < 0.05 else ""
            out.append("=источник задачи: %d-%d-%s-%d%s" % (e, r, g, slot, suffix))
        # authors
        cond = [vocab.authors[i] for i in n_auth.distinct(1 + (rng.random() < 0.15))]
        if rng.random() < 0.6:
            sol = list(cond)
        else:
            sol = [vocab.authors[i] for i in n_auth.distinct(1 + (rng.random() < 0.15))]
        out += ["=автор условия " + a for a in cond]
        out += ["=автор решения " + a for a in sol]
        # Russian-language topics
        k = 1 if rng.random() < 0.4 else 0
        k += 1 if rng.random() < 0.1 else 0
        out += ["=РЯ " + vocab.topics[i] for i in n_topic.distinct(k)]
        # terms
        k = max(0, int(round(rng.gauss(term_mean, 2.0))))
        out += [vocab.terms[i] for i in n_term.distinct(k)]
        for heading in dict.fromkeys(out):
            references.append((heading, p, rng.random() < 0.08))
    return references


def token(problem, source, star):
    for s, number, sub in problem["placements"]:
        if s == source:
            return str(number) + ("" if sub is None else ".%d" % sub) + ("*" if star else "")
    raise AssertionError("no placement")


def element_sections(rng, vocab, problems, references, sources):
    """{source: {heading: [token, ...]}} in the order the editors would add them."""
    sections = {0: {}}
    for s in sources:
        sections[s] = {}
    for heading, p, star in references:
        pl = problems[p]["placements"]
        # Most references use book numbers; the rest the numbers of an olympiad.
        emitted = [0 if rng.random() < BOOK_SHARE or len(pl) == 1 else rng.choice(pl[1:])[0]]
        if rng.random() < 0.04 and len(pl) > 1:  # the same reference once more, elsewhere
            emitted.append(rng.choice([q for q in pl if q[0] != emitted[0]])[0])
        for s in emitted:
            sections[s].setdefault(heading, []).append(token(problems[p], s, star))
    return sections


def element_lines(rng, vocab, heading, tokens):
    """Lines "heading -- tokens", split to stay short, some with notes."""
    if rng.random() < 0.7:
        tokens = sorted(tokens, key=lambda t: float(t.rstrip("*")))
    lines = []
    start = 0
    while start < len(tokens):
        room = MAX_LINE - len(heading) - 120
        chunk = []
        width = 0
        limit = rng.randint(5, 60) if rng.random() < 0.1 else len(tokens)  # now and then a line is split
        while start < len(tokens) and width + len(tokens[start]) + 2 < room and len(chunk) < limit:
            chunk.append(tokens[start])
            width += len(tokens[start]) + 2
            start += 1
        items = list(chunk)
        if rng.random() < 0.03:
            items.insert(0, rng.choice(NOTES).format(term=rng.choice(vocab.terms).replace("<<", "").replace(">>", "")))
        if rng.random() < 0.03:
            i = rng.randrange(len(items))
            items[i] = items[i] + " " + rng.choice(BRACKETS)
        lines.append(heading + " -- " + ", ".join(items))
    return lines


def source_names(rng, sources):
    names = {}
    for k, s in enumerate(sources):
        year = 1965 + (k * 3) % 57
        kind = k % 4
        if kind == 0:
            names[s] = ("СЗ-%d" % s, "Сборник задач олимпиады по языковедению, выпуск~%d (%s, %d)" % (s, rng.choice(CITIES), year))
        elif kind == 1:
            names[s] = ("ОЛ-%d" % s, "Задачи олимпиады %d года, %s" % (year, rng.choice(CITIES)))
        elif kind == 2:
            names[s] = ("ЛГ-%d" % s, "Журнал <<Лингвистические головоломки>>, %d--%d" % (year, year + 3))
        else:
            names[s] = ("ЗШ-%d" % s, "Задания заочной школы юных языковедов, %d" % year)
    return names


def element_part(rng, vocab, problems, references, sources):
    sections = element_sections(rng, vocab, problems, references, sources)
    names = source_names(rng, sources)
    lines = ["", "// Элементы указателя. Номера в разделе \"#/S\" -- номера задач в источнике S;",
             "// \"*\" после номера: задача относится к элементу лишь отчасти."]
    order = [0] + sorted(sources, key=lambda s: rng.random())
    for s in order:
        headings = list(sections[s])
        if not headings:
            continue
        if rng.random() < 0.5:
            headings.sort()
        else:
            rng.shuffle(headings)
        lines.append("")
        if s == 0:
            lines.append(rng.choice(["#/0    // номера самой книги", "#/"]))
            lines.append("!! Настоящая книга")
        else:
            label, full = names[s]
            lines.append("#/%d" % s)
            lines.append("! " + label)
            lines.append("!!  " + full)
        body = []
        for heading in headings:
            body += element_lines(rng, vocab, heading, sections[s][heading])
        # A long section is sometimes split: the marker again, further down.
        if len(body) > 400 and rng.random() < 0.5:
            cut = len(body) // 2
            body = body[:cut] + ["", "// продолжение раздела", "#/%d" % s] + body[cut:]
        lines += body
    # Elements without numbers.
    lines += ["", "// Элементы без номеров задач: места без задач, термины-отсылки.", "#/-", "! Без номера"]
    for _ in range(max(2, len(problems) // 200)):
        lines.append("=источник задачи: %d-%d-%s-%d" % (rng.randint(1, vocab.olympiads), rng.randint(1, 2),
                                                     rng.choice(["Н", "В", "НВ"]), rng.randint(0, 7)))
    for _ in range(max(3, len(problems) // 100)):
        a, b = rng.sample(vocab.terms, 2)
        lines.append("%s -- см. %s" % (a.replace("<<", "").replace(">>", "") + " (отсылка)", b))
    lines.append(rng.choice(vocab.extra_languages) + " язык")
    return lines


# ------------------------------------------------------------------- template

def template_lines(rng, vocab, problems_count):
    lines = ["// Шаблон указателя языков: строка \\элемент, за ней строка с названием",
             "// (имя языка -- текст после первого пробела до фигурной скобки);",
             "// пустая строка закрывает блок; [] заменяется номерами задач.",
             "% Указатель языков, собранный из шаблона indeksal_yazykov.tex.template.",
             "{",
             "\\def\\элемент{\\par\\noindent\\hangindent=1.5em\\hangafter=1\\ignorespaces}",
             "\\newcommand{\\z}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1}}",
             "\\newcommand{\\zz}[1]{\\hyperlink{kvirtadoc-usl-#1}{#1*}}",
             ""]
    names = vocab.languages + vocab.extra_languages
    names = sorted(names, key=lambda a: encode(a))
    for adjective in names:
        family = rng.choice(FAMILIES)
        lines.append("\\элемент")
        if rng.random() < 0.1:
            lines.append("{\\bf %s} язык (или %s)   // второе название" % (vocab.stressed(adjective), rng.choice(vocab.languages)))
            lines.append("{\\small (%s)}: []" % family)
        else:
            lines.append("{\\bf %s} язык {\\small (%s)}: []" % (vocab.stressed(adjective), family))
        lines.append("")
    lines += ["\\par", "}"]
    return lines


# ----------------------------------------------------------------------- main

def generate(problems_count, seed, refs, placements):
    rng = random.Random(seed)
    vocab = Vocabulary(rng, problems_count)
    sources = list(range(1, max(8, min(99, problems_count // 30)) + 1))
    problems = make_problems(rng, problems_count, placements, sources)
    references = make_references(rng, vocab, problems, refs)
    lines = ["// Книга задач, созданная для замеров: %d задач, зерно %d." % (problems_count, seed), ""]
    lines += problem_lines(rng, problems)
    lines += element_part(rng, vocab, problems, references, sources)
    source = encode("\n".join(lines) + "\n")
    template = encode("\n".join(template_lines(rng, vocab, problems_count)) + "\n")
    for text, what in ((source, "source"), (template, "template")):
        longest = max(len(l) for l in text.split(b"\n"))
        if longest > 2047:
            raise AssertionError("%s line of %d bytes" % (what, longest))
    return source, template, len(references)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--problems", type=int, required=True, help="problems in the book (1..9999)")
    parser.add_argument("--seed", type=int, default=1, help="random seed (default 1)")
    parser.add_argument("--refs", type=float, default=15.0, help="references per problem (default 15)")
    parser.add_argument("--placements", type=float, default=7.0, help="placements per problem, book number included (default 7)")
    parser.add_argument("--target-mb", type=float, default=None, help="raise --refs until the source has about this many megabytes")
    parser.add_argument("outdir")
    args = parser.parse_args()
    if not 1 <= args.problems <= 9999:
        parser.error("--problems must be 1..9999 (book numbers have at most four digits)")
    refs = args.refs
    source, template, count = generate(args.problems, args.seed, refs, args.placements)
    if args.target_mb:
        # The size grows a little slower than the references (longer lines
        # share their headings): secant steps from two small books.
        target = args.target_mb * 1e6
        points = [(refs, len(source))]
        refs = refs * 2
        for _ in range(6):
            source, template, count = generate(args.problems, args.seed, refs, args.placements)
            points.append((refs, len(source)))
            if abs(len(source) - target) < 0.02 * target:
                break
            (r0, s0), (r1, s1) = points[-2], points[-1]
            refs = max(1.0, r1 + (target - s1) * (r1 - r0) / (s1 - s0))
    os.makedirs(args.outdir, exist_ok=True)
    with open(os.path.join(args.outdir, "book.src"), "wb") as f:
        f.write(source)
    with open(os.path.join(args.outdir, "indeksal_yazykov.tex.template"), "wb") as f:
        f.write(template)
    print("%s: %d problems, %d references (%.1f per problem), %d bytes" %
          (os.path.join(args.outdir, "book.src"), args.problems, count, count / args.problems, len(source)),
          file=sys.stderr)


if __name__ == "__main__":
    main()
