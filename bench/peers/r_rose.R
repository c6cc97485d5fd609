# The rose diagram in R: read.table of the first column, a circular object in degrees
# clockwise from north, rose.diag with 36 bins into a PDF.
# usage: Rscript r_rose.R DATA OUT.pdf
arguments <- commandArgs(trailingOnly = TRUE)
suppressPackageStartupMessages(library(circular))
table <- read.table(arguments[1], colClasses = c("numeric", "NULL"), sep = "\t")
azimuths <- circular(table[[1]], units = "degrees", template = "geographics")
pdf(arguments[2], width = 4.6, height = 4.6)
rose.diag(azimuths, bins = 36, prop = 1.5, col = "lightsteelblue")
invisible(dev.off())
