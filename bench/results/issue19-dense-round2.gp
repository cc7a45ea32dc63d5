# gnuplot issue19-dense-round2.gp, in bench/results: written by bench/report.py
set terminal pngcairo size 1100,450 font ',10'
set output 'issue19-dense-round2.png'
set datafile separator ','
set key top left
set logscale xy
set grid
set xlabel 'problems in the book'
set xrange [150:15000]
set multiplot layout 1,2 title 'olyindex (whole run) and makeindex (one index) on the same pairs: issue19-dense-round2'
set ylabel 'CPU time, user + system (s), median'
plot 'issue19-dense-round2.csv' using 1:6 skip 1 with linespoints lw 2 pt 7 title 'olyindex', \
     'issue19-dense-round2.csv' using 1:7 skip 1 with linespoints lw 2 pt 5 title 'makeindex -q', \
     'issue19-dense-round2.csv' using 1:14 skip 1 with linespoints lw 1 dt 3 pt 4 title 'olyindex, --compare binary'
set ylabel 'peak memory (MB)'
plot 'issue19-dense-round2.csv' using 1:12 skip 1 with linespoints lw 2 pt 7 title 'olyindex', \
     'issue19-dense-round2.csv' using 1:13 skip 1 with linespoints lw 2 pt 5 title 'makeindex -q', \
     'issue19-dense-round2.csv' using 1:15 skip 1 with linespoints lw 1 dt 3 pt 4 title 'olyindex, --compare binary'
unset multiplot
