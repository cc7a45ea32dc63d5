-- Neovim as the language server's client: opens a faulty book source in code
-- page 1251, waits for the diagnostics and compares them with what
-- `olyindex --check` printed, hovers a reference, goes to its definition,
-- renames an element and checks the buffer, then mends a line and waits for
-- its error to go. Run by nvim_test.sh; exits non-zero on the first failure.
-- What Neovim showed is written to $REPORT.

local olyindex, dir, check_file, report_file = os.getenv('OLYINDEX'), os.getenv('BOOK_DIR'),
  os.getenv('CHECK'), os.getenv('REPORT')
local report = assert(io.open(report_file, 'w'))

local function say(text)
  report:write(text, '\n')
  report:flush()
end

local function fail(text)
  say('FAILED: ' .. text)
  report:close()
  vim.cmd('cquit 1')
end

local function expect(condition, text)
  if not condition then fail(text) end
end

-- The findings --check printed: "book.src:12: ошибка: message", a column
-- after the line number allowed.
local expected = {}
for line in io.lines(check_file) do
  local number, rest = line:match('^book%.src:(%d+):(.*)$')
  local severity, message = (rest or ''):gsub('^%d+:', ''):match('^ ([^:]+): (.*)$')
  if number and severity then
    table.insert(expected, { line = tonumber(number), severity = severity, message = message })
  end
end
expect(#expected > 0, '--check printed no finding')

local client = vim.lsp.start_client({ name = 'olyindex', cmd = { olyindex, '--lsp' }, root_dir = dir })
expect(client ~= nil, 'the server did not start')
vim.cmd('edit ++enc=cp1251 ' .. vim.fn.fnameescape(dir .. '/book.src'))
local buf = vim.api.nvim_get_current_buf()
vim.lsp.buf_attach_client(buf, client)

local function diagnostics()
  local found = vim.diagnostic.get(buf)
  table.sort(found, function(a, b)
    if a.lnum ~= b.lnum then return a.lnum < b.lnum end
    return a.col < b.col
  end)
  return found
end

expect(vim.wait(10000, function() return #diagnostics() == #expected end, 20),
  'diagnostics: ' .. #diagnostics() .. ', --check: ' .. #expected)
local names = { [vim.diagnostic.severity.ERROR] = 'ошибка', [vim.diagnostic.severity.WARN] = 'предупреждение' }
local shown, wanted = {}, {}
say('diagnostics:')
for _, d in ipairs(diagnostics()) do
  say(string.format('  %d:%d-%d %s [%s] %s', d.lnum + 1, d.col + 1, d.end_col, names[d.severity], d.code, d.message))
  expect(d.source == 'olyindex', 'line ' .. (d.lnum + 1) .. ': source ' .. tostring(d.source))
  expect(type(d.code) == 'string' and #d.code > 0, 'line ' .. (d.lnum + 1) .. ': no code')
  table.insert(shown, string.format('%05d %s %s', d.lnum + 1, names[d.severity], d.message))
end
for _, e in ipairs(expected) do table.insert(wanted, string.format('%05d %s %s', e.line, e.severity, e.message)) end
table.sort(shown)
table.sort(wanted)
for i = 1, #wanted do
  expect(shown[i] == wanted[i], 'Neovim shows "' .. shown[i] .. '", --check "' .. wanted[i] .. '"')
end

local function request(method, params)
  local replies = vim.lsp.buf_request_sync(buf, method, params, 5000)
  expect(replies ~= nil and replies[client] ~= nil, method .. ': no reply')
  expect(replies[client].error == nil, method .. ': ' .. vim.inspect(replies[client].error))
  return replies[client].result
end

local function lineOf(number) return vim.api.nvim_buf_get_lines(buf, number - 1, number, true)[1] end

-- "Род -- 3" in the section of source 1: the reference 3 is the problem 0/3 1/3 2/1 on line 5.
-- (Cursor columns are bytes of the UTF-8 buffer.)
vim.api.nvim_win_set_cursor(0, { 12, 10 })
local hover = request('textDocument/hover', vim.lsp.util.make_position_params())
expect(hover and hover.contents and hover.contents.value, 'hover: nothing')
say('hover on "3" in line 12: ' .. hover.contents.value:gsub('\n+', ' | '))
expect(hover.contents.value:find('Задача № 3', 1, true), 'hover does not name problem 3')
expect(hover.contents.value:find('Олимп-1', 1, true), 'hover does not show the label of source 1')

local location = request('textDocument/definition', vim.lsp.util.make_position_params())
expect(location ~= nil, 'definition: nothing')
vim.lsp.util.jump_to_location(location[1] or location, 'utf-16')
local row = vim.api.nvim_win_get_cursor(0)[1]
say('definition of "3" in line 12: line ' .. row .. ': ' .. lineOf(row))
expect(row == 5, 'definition went to line ' .. row .. ', not 5')

-- Unresolved: "Залог -- 9".
vim.api.nvim_win_set_cursor(0, { 15, 14 })
local why = request('textDocument/hover', vim.lsp.util.make_position_params())
say('hover on "9" in line 15: ' .. why.contents.value)
expect(why.contents.value:find('1/9', 1, true), 'the unresolved hover does not name 1/9')

-- "Падеж" stands on lines 11, 13 and 18.
vim.api.nvim_win_set_cursor(0, { 11, 2 })
vim.lsp.buf.rename('Падежи')
expect(vim.wait(5000, function() return lineOf(18) == 'Падежи -- 2' end, 20), 'rename: line 18 is ' .. lineOf(18))
expect(lineOf(11) == 'Падежи -- 1, 2*' and lineOf(13) == 'Падежи -- 3', 'rename missed line 11 or 13')
expect(lineOf(12) == 'Род -- 3', 'rename changed line 12')
say('after renaming Падеж: 11 "' .. lineOf(11) .. '", 13 "' .. lineOf(13) .. '", 18 "' .. lineOf(18) .. '"')

-- Mending the line without "--" takes its error away after the next change.
local before = #diagnostics()
vim.api.nvim_buf_set_text(buf, 13, 10, 13, 10, { ' --' })
expect(vim.wait(5000, function() return #diagnostics() == before - 1 end, 20),
  'after mending line 14: ' .. #diagnostics() .. ' diagnostics, expected ' .. (before - 1))
say('after typing " --" into line 14: ' .. #diagnostics() .. ' diagnostics (were ' .. before .. ')')

vim.lsp.stop_client(client)
say('ok')
report:close()
vim.cmd('qall!')
