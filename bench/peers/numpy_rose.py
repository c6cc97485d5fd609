#!/usr/bin/env python3
# The rose diagram as a numpy + matplotlib user would make it: load the first column, count it
# into 36 bins of 10 degrees, draw the bins as a polar bar chart and save it as SVG.
# usage: numpy_rose.py DATA OUT.svg
import sys

import matplotlib

matplotlib.use("svg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: numpy_rose.py DATA OUT.svg")
    azimuths = np.loadtxt(sys.argv[1], usecols=0, ndmin=1)
    counts, edges = np.histogram(azimuths, bins=36, range=(0.0, 360.0))
    figure = plt.figure(figsize=(4.6, 4.6), dpi=100)
    axes = figure.add_subplot(projection="polar")
    axes.set_theta_zero_location("N")
    axes.set_theta_direction(-1)
    axes.bar(np.deg2rad(edges[:-1]), counts, width=np.deg2rad(10.0), align="edge",
             color="lightsteelblue", edgecolor="black", linewidth=0.5)
    figure.savefig(sys.argv[2], format="svg")


if __name__ == "__main__":
    main()
