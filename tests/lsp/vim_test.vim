" Vim with ALE as the language server's client, set up by the recipe of
" docs/editors.md (given with -u): opens a faulty book source in code page
" 1251, waits for the diagnostics and compares their lines and texts with
" what `olyindex --check` printed, hovers a problem line, goes from a section
" marker to its label line, then mends a line and waits for its error to go.
" ALE sends and reads the protocol's characters as byte columns, so only
" places that stand after ASCII text alone are asked of it. Run by
" editor_test.sh; what Vim showed goes to $REPORT, and the exit status is not
" zero on the first failure.

function! s:Say(text) abort
  call writefile([a:text], $REPORT, 'a')
endfunction

function! s:Expect(condition, text) abort
  if !a:condition
    call s:Say('FAILED: ' . a:text)
    cquit 1
  endif
endfunction

" Serves the server's messages until `condition` holds or five seconds pass.
function! s:Wait(condition) abort
  for i in range(250)
    if eval(a:condition) | return 1 | endif
    sleep 20m
  endfor
  return eval(a:condition)
endfunction

function! s:Diagnostics() abort
  return ale#engine#GetLoclist(bufnr(''))
endfunction

" The preview window ALE shows a hover in.
function! s:Preview() abort
  for w in range(1, winnr('$'))
    if getwinvar(w, '&filetype') is# 'ale-preview.message'
      return join(getbufline(winbufnr(w), 1, '$'), "\n")
    endif
  endfor
  return ''
endfunction

" "book.src:12:5: ошибка: message"
let s:expected = []
for s:line in readfile($CHECK)
  let s:m = matchlist(s:line, '^book\.src:\(\d\+\):\d\+: \([^:]\+\): \(.*\)$')
  if !empty(s:m)
    call add(s:expected, printf('%05d %s %s', s:m[1], s:m[2], s:m[3]))
  endif
endfor
call s:Expect(!empty(s:expected), '--check printed no finding')

execute 'edit' fnameescape($BOOK_DIR . '/book.src')
call s:Expect(&filetype is# 'olyindex' && &fileencoding is# 'cp1251', 'opened as ' . &filetype . ', ' . &fileencoding)
call s:Expect(s:Wait('len(s:Diagnostics()) == len(s:expected)'),
  \ 'diagnostics: ' . len(s:Diagnostics()) . ', --check: ' . len(s:expected))
call s:Say('diagnostics:')
let s:shown = []
for s:d in s:Diagnostics()
  call s:Say(printf('  %d:%d-%d %s [%s] %s', s:d.lnum, s:d.col, s:d.end_col, s:d.type, s:d.code, s:d.text))
  call add(s:shown, printf('%05d %s %s', s:d.lnum, s:d.type is# 'E' ? 'ошибка' : 'предупреждение', s:d.text))
endfor
call s:Expect(sort(s:shown) == sort(copy(s:expected)), 'Vim shows ' . string(s:shown) . ', --check ' . string(s:expected))

" Line 5, "0/3 1/3 2/1": problem 3, which lines 12, 13, 19 and 20 refer to.
let g:ale_hover_to_preview = 1
call cursor(5, 1)
ALEHover
call s:Expect(s:Wait('s:Preview() isnot# ""'), 'hover: nothing')
call s:Say('hover on line 5: ' . substitute(s:Preview(), '\n\+', ' | ', 'g'))
call s:Expect(stridx(s:Preview(), 'Задача № 3') >= 0 && stridx(s:Preview(), 'Ссылаются элементов: 4') >= 0,
  \ 'the hover does not name problem 3 and its 4 elements')
pclose

" The marker "#/1" on line 8 leads to the label line 9.
call cursor(8, 2)
ALEGoToDefinition
call s:Expect(s:Wait('line(".") != 8'), 'definition: the cursor stayed')
call s:Say('definition of "#/1" in line 8: line ' . line('.') . ': ' . getline('.'))
call s:Expect(line('.') == 9, 'definition went to line ' . line('.') . ', not 9')

" Mending the line without "--" takes its error away after the next check.
let s:before = len(s:Diagnostics())
call setline(14, 'Число -- 1, 2')
ALELint
call s:Expect(s:Wait('len(s:Diagnostics()) == s:before - 1'),
  \ 'after mending line 14: ' . len(s:Diagnostics()) . ' diagnostics, expected ' . (s:before - 1))
call s:Say('after mending line 14: ' . len(s:Diagnostics()) . ' diagnostics (were ' . s:before . ')')

call s:Say('ok')
qall!
