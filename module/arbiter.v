//
// NOVRA support cell: two-input mutual-exclusion arbiter with its data path.
// Each input is a four-phase request/acknowledge channel with bundled data. The first request to arrive
// (input 1 whenever both are waiting) is granted and keeps the output for a whole handshake: request up,
// acknowledge up, request down, acknowledge down. Only then can the other input be granted. While a
// channel is granted, the output carries its request and data and its acknowledge carries the output's.
// reset is active low.
//
`timescale 1ps/1ps

module arbiter(
	i_1__r_i, i_1_a_o, i_1_d_i,
	i_2__r_i, i_2_a_o, i_2_d_i,
	o_1__r_o, o_1_a_i, o_1_d_o,
	reset
	);
input	i_1__r_i, i_1_d_i, i_2__r_i, i_2_d_i, o_1_a_i, reset;
output	i_1_a_o, i_2_a_o, o_1__r_o, o_1_d_o;

	reg	g1, g2;		// grants, never both set

	initial begin
		g1 = 1'b0;
		g2 = 1'b0;
	end

	always @(i_1__r_i or i_2__r_i or o_1_a_i or reset) begin
		if (reset === 1'b0) begin
			g1 = 1'b0;
			g2 = 1'b0;
		end else begin
			// A finished handshake frees the output.
			if (g1 && i_1__r_i === 1'b0 && o_1_a_i === 1'b0)
				g1 = 1'b0;
			if (g2 && i_2__r_i === 1'b0 && o_1_a_i === 1'b0)
				g2 = 1'b0;
			if (!g1 && !g2 && o_1_a_i === 1'b0) begin
				if (i_1__r_i === 1'b1)
					g1 = 1'b1;
				else if (i_2__r_i === 1'b1)
					g2 = 1'b1;
			end
		end
	end

	assign #30 o_1__r_o = g1 ? i_1__r_i : (g2 ? i_2__r_i : 1'b0);
	assign o_1_d_o = g1 ? i_1_d_i : (g2 ? i_2_d_i : 1'b0);
	assign i_1_a_o = g1 ? o_1_a_i : 1'b0;
	assign i_2_a_o = g2 ? o_1_a_i : 1'b0;
endmodule
